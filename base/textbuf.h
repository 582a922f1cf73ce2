// Bounded text in fixed-size buffers. Every copy is cut or refused here, in
// one place; callers never write past a buffer.
// No windows.h: this builds natively too.
#pragma once

#include <cstddef>
#include <cstring>

// Copies text, cut to the buffer. Returns 1 when it fitted whole, else 0.
template <size_t N>
int CopyText(char (&dst)[N], const char* src)
{
    size_t len = strnlen(src, N);
    int whole = len < N;
    if (!whole)
        len = N - 1;
    std::memcpy(dst, src, len);
    dst[len] = '\0';
    return whole;
}

// Joins parts into dst. Returns 1, or 0 with dst empty when the whole text
// doesn't fit: a cut path would name some other file.
inline int ComposeTextN(char* dst, size_t size, const char* const* parts, size_t count)
{
    size_t used = 0;
    for (size_t i = 0; i < count; ++i) {
        size_t len = std::strlen(parts[i]);
        if (len >= size - used) {
            dst[0] = '\0';
            return 0;
        }
        std::memcpy(dst + used, parts[i], len);
        used += len;
    }
    dst[used] = '\0';
    return 1;
}

template <size_t N, typename... Parts>
int ComposeText(char (&dst)[N], const Parts*... parts)
{
    const char* list[] = {parts...};
    return ComposeTextN(dst, N, list, sizeof...(parts));
}

// Appends '\' unless the text already ends in one (an empty text gets '\').
// Returns 0, text unchanged, when there is no room.
inline int AddBackslashN(char* text, size_t size)
{
    size_t len = strnlen(text, size);
    if (len >= size)
        return 0;
    if (len > 0 && text[len - 1] == '\\')
        return 1;
    if (len + 1 >= size)
        return 0;
    text[len] = '\\';
    text[len + 1] = '\0';
    return 1;
}

template <size_t N>
int AddBackslash(char (&text)[N])
{
    return AddBackslashN(text, N);
}
