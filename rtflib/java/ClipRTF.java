// The Java client's class as the library sees it: javac -h gives the C
// declaration the library is compiled against.
public class ClipRTF {
    public native boolean ClipB_RTF(byte[] rtf);
}
