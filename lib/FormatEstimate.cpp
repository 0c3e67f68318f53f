// Upper bound of a vsprintf result, walked by multibyte characters of the ANSI code page.
#include "TString.h"

#include <cstdarg>
#include <cwchar>

namespace {

int ReadNumber(const char*& p, va_list& arguments) {
    if (*p == '*') {
        ++p;
        return va_arg(arguments, int);
    }
    int value = 0;
    while (*p >= '0' && *p <= '9')
        value = value * 10 + (*p++ - '0');
    return value;
}

// Character and string items: cut to the precision, then raised to the width.
int ApplyWidth(int length, int width, int precision, bool hasPrecision) {
    if (hasPrecision && length > precision)
        length = precision;
    return length < width ? width : length;
}

int NarrowLength(const char* text) {
    return text ? (lstrlenA(text) > 0 ? lstrlenA(text) : 1) : 6;
}

int WideLength(const wchar_t* text) {
    return text ? (lstrlenW(text) > 0 ? lstrlenW(text) : 1) : 6;
}

int Larger(int a, int b) {
    return a > b ? a : b;
}

} // namespace

int EstimateFormatLength(const char* format, va_list arguments) {
    int total = 0;
    for (const char* p = format; *p;) {
        if (*p != '%') {
            bool lead = IsDBCSLeadByte(static_cast<BYTE>(*p)) && p[1] != '\0';
            total += lead ? 2 : 1;
            p += lead ? 2 : 1;
            continue;
        }
        ++p;
        if (*p == '%') {
            ++total;
            ++p;
            continue;
        }
        int width = 0;
        for (;; ++p) {
            if (*p == '#')
                total += 2;
            else if (*p == '*')
                width = va_arg(arguments, int);
            else if (*p != '-' && *p != '+' && *p != '0' && *p != ' ')
                break;
        }
        if (*p >= '0' && *p <= '9')
            width = ReadNumber(p, arguments);
        if (width < 0)
            width = -width;
        int precision = 0;
        bool hasPrecision = false;
        if (*p == '.') {
            ++p;
            precision = ReadNumber(p, arguments);
            // vsprintf takes a negative precision from '*' as none given.
            hasPrecision = precision >= 0;
            if (!hasPrecision)
                precision = 0;
        }
        bool wide = false, narrow = false;
        for (;; ++p) {
            if (*p == 'h')
                narrow = true;
            else if (*p == 'l')
                wide = true;
            else if (*p != 'F' && *p != 'L' && *p != 'N')
                break;
        }
        char conversion = *p;
        if (conversion == '\0')
            break;
        ++p;
        switch (conversion) {
            case 'c':
            case 'C':
                va_arg(arguments, int);
                total += ApplyWidth(2, width, precision, hasPrecision);
                break;
            case 's':
            case 'S':
                if (wide || (conversion == 'S' && !narrow))
                    total += ApplyWidth(WideLength(va_arg(arguments, const wchar_t*)), width,
                                        precision, hasPrecision);
                else
                    total += ApplyWidth(NarrowLength(va_arg(arguments, const char*)), width,
                                        precision, hasPrecision);
                break;
            case 'd':
            case 'i':
            case 'u':
            case 'x':
            case 'X':
            case 'o':
                va_arg(arguments, int);
                total += Larger(32, width + precision);
                break;
            case 'e':
            case 'E':
            case 'f':
            case 'g':
            case 'G':
                va_arg(arguments, double);
                total += Larger(128, width + precision);
                break;
            case 'p':
                va_arg(arguments, void*);
                total += Larger(32, width + precision);
                break;
            case 'n':
                va_arg(arguments, void*);
                break;
            default:
                break;
        }
    }
    return total;
}
