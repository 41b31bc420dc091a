// The runtime's integer to text conversion.
#include <afx.h>

char* _itoa(int value, char* buffer, int radix)
{
    if (!buffer)
        return buffer;
    if (radix < 2 || radix > 36) {
        buffer[0] = '\0';
        return buffer;
    }
    // Other radixes show the bits of a negative value as an unsigned number, as the runtime does.
    const bool negative = radix == 10 && value < 0;
    unsigned int rest = negative ? 0u - static_cast<unsigned int>(value) : static_cast<unsigned int>(value);
    char digits[33];
    int count = 0;
    do {
        const unsigned int digit = rest % static_cast<unsigned int>(radix);
        digits[count++] = static_cast<char>(digit < 10 ? '0' + digit : 'a' + digit - 10);
        rest /= static_cast<unsigned int>(radix);
    } while (rest);
    char* out = buffer;
    if (negative)
        *out++ = '-';
    while (count)
        *out++ = digits[--count];
    *out = '\0';
    return buffer;
}
