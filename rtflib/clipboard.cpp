// ClipRTF.ClipB_RTF: the RTF document the Java client composed goes onto the
// clipboard as "Rich Text Format", byte for byte, as the only format.
#include <cstring>

#include "ClipRTF.h"
#include "pluvik.h"

namespace {

// Overwritten by every call; nothing is carried from one call to the next.
UINT rtfFormat;
HGLOBAL placedBlock;

}  // namespace

extern "C" JNIEXPORT jboolean JNICALL Java_ClipRTF_ClipB_1RTF(JNIEnv* env, jobject, jbyteArray rtf)
{
    // Another program holding the clipboard makes this fail: nothing touched.
    if (!OpenClipboard(nullptr))
        return JNI_FALSE;
    rtfFormat = RegisterClipboardFormatA("Rich Text Format");
    if (rtfFormat == 0) {
        CloseClipboard();
        return JNI_FALSE;
    }
    // An empty document is nothing to paste: what the clipboard holds stays.
    jsize length = rtf != nullptr ? env->GetArrayLength(rtf) : 0;
    if (length <= 0) {
        CloseClipboard();
        return JNI_FALSE;
    }
    EmptyClipboard();
    jbyte* bytes = env->GetByteArrayElements(rtf, nullptr);
    if (bytes == nullptr) {
        CloseClipboard();
        return JNI_FALSE;
    }
    placedBlock = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, static_cast<SIZE_T>(length));
    void* target = placedBlock != nullptr ? GlobalLock(placedBlock) : nullptr;
    if (target != nullptr) {
        std::memcpy(target, bytes, static_cast<size_t>(length));
        GlobalUnlock(placedBlock);
    }
    // Only read: nothing to copy back into the array.
    env->ReleaseByteArrayElements(rtf, bytes, JNI_ABORT);
    if (target == nullptr) {
        if (placedBlock != nullptr)
            GlobalFree(placedBlock);
        CloseClipboard();
        return JNI_FALSE;
    }
    if (SetClipboardData(rtfFormat, placedBlock) == nullptr) {
        CloseClipboard();
        GlobalFree(placedBlock);
        return JNI_FALSE;
    }
    // The block belongs to the system now.
    CloseClipboard();
    return JNI_TRUE;
}
