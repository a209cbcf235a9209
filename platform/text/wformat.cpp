// Wide printf-style formatting. The format is parsed here so that string conversions can take the
// handheld's argument types (%s and %ls: const char16_t*, %hs and %S: const char* in Windows-1252);
// numeric conversions are handed one at a time to the C library's snprintf. %n is consumed and ignored,
// because writing through an argument pointer is never what a display string needs.

#include "platform/text/text.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace platform::text {
namespace {

// One parsed conversion: "%[flags][width][.precision][length]conversion".
struct Spec {
    std::string flags;
    int width = -1;           // -1: none
    int precision = -1;       // -1: none
    std::string length;       // normalised: "", "hh", "h", "l", "ll", "L", "j", "z", "t"
    char16_t conversion = 0;  // 0: the format ended inside the conversion
};

bool is_flag(char16_t c)
{
    return c == u'-' || c == u'+' || c == u' ' || c == u'#' || c == u'0';
}
bool is_digit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

int read_number(const char16_t*& p)
{
    long value = 0;
    while (is_digit(*p)) {
        if (value < 100000)
            value = value * 10 + (*p - u'0');
        ++p;
    }
    return static_cast<int>(value);
}

void read_width(const char16_t*& p, va_list* args, Spec* spec)
{
    if (*p == u'*') {
        ++p;
        int w = va_arg(*args, int);
        if (w < 0) {
            spec->flags.push_back('-');
            w = w == INT32_MIN ? 0 : -w;
        }
        spec->width = w;
    } else if (is_digit(*p)) {
        spec->width = read_number(p);
    }
}

void read_precision(const char16_t*& p, va_list* args, Spec* spec)
{
    if (*p != u'.')
        return;
    ++p;
    if (*p == u'*') {
        ++p;
        int prec = va_arg(*args, int);
        spec->precision = prec < 0 ? -1 : prec;
    } else {
        spec->precision = read_number(p);
    }
}

// Length modifiers, including the handheld's I64, I32 and w spellings.
void read_length(const char16_t*& p, Spec* spec)
{
    auto starts = [&](const char16_t* s) {
        size_t i = 0;
        for (; s[i]; ++i)
            if (p[i] != s[i])
                return false;
        p += i;
        return true;
    };
    if (starts(u"hh"))
        spec->length = "hh";
    else if (starts(u"ll") || starts(u"I64") || starts(u"q"))
        spec->length = "ll";
    else if (starts(u"I32"))
        spec->length = "";
    else if (starts(u"h"))
        spec->length = "h";
    else if (starts(u"l") || starts(u"w"))
        spec->length = "l";
    else if (starts(u"L"))
        spec->length = "L";
    else if (starts(u"j"))
        spec->length = "j";
    else if (starts(u"z"))
        spec->length = "z";
    else if (starts(u"t"))
        spec->length = "t";
}

Spec parse_spec(const char16_t*& p, va_list* args)
{
    Spec spec;
    while (is_flag(*p))
        spec.flags.push_back(static_cast<char>(*p++));
    read_width(p, args, &spec);
    read_precision(p, args, &spec);
    read_length(p, &spec);
    if (*p != 0)
        spec.conversion = *p++;
    return spec;
}

// Appends text cut to the precision and padded with spaces to the width.
void append_padded(std::u16string& out, std::u16string_view text, const Spec& spec)
{
    if (spec.precision >= 0 && text.size() > static_cast<size_t>(spec.precision))
        text = text.substr(0, static_cast<size_t>(spec.precision));
    size_t pad = spec.width > 0 && static_cast<size_t>(spec.width) > text.size()
        ? static_cast<size_t>(spec.width) - text.size()
        : 0;
    bool left = spec.flags.find('-') != std::string::npos;
    if (!left)
        out.append(pad, u' ');
    out.append(text);
    if (left)
        out.append(pad, u' ');
}

std::u16string_view wide_arg(va_list* args)
{
    const char16_t* s = va_arg(*args, const char16_t*);
    return s ? std::u16string_view(s) : std::u16string_view(u"(null)");
}

std::u16string narrow_arg(va_list* args)
{
    const char* s = va_arg(*args, const char*);
    return from_ansi(s ? std::string_view(s) : std::string_view("(null)"));
}

// String and character conversions. Returns false when `spec` is not one of them.
bool append_text_conversion(std::u16string& out, const Spec& spec, va_list* args)
{
    bool is_long = spec.length == "l";
    bool is_short = spec.length == "h";
    switch (spec.conversion) {
    case u's':
        if (is_short)
            append_padded(out, narrow_arg(args), spec);
        else
            append_padded(out, wide_arg(args), spec);
        return true;
    case u'S':
        if (is_long)
            append_padded(out, wide_arg(args), spec);
        else
            append_padded(out, narrow_arg(args), spec);
        return true;
    case u'c':
    case u'C': {
        int c = va_arg(*args, int);
        bool narrow = is_short || (spec.conversion == u'C' && !is_long);
        char16_t ch = narrow ? from_ansi(std::string(1, static_cast<char>(c)))[0] : static_cast<char16_t>(c);
        Spec unbounded = spec;
        unbounded.precision = -1;
        append_padded(out, std::u16string_view(&ch, 1), unbounded);
        return true;
    }
    default:
        return false;
    }
}

std::string narrow_spec(const Spec& spec)
{
    std::string s = "%" + spec.flags;
    if (spec.width >= 0)
        s += std::to_string(spec.width);
    if (spec.precision >= 0)
        s += "." + std::to_string(spec.precision);
    s += spec.length;
    s.push_back(static_cast<char>(spec.conversion));
    return s;
}

template <typename T> std::string print_one(const std::string& fmt, T value)
{
    int needed = std::snprintf(nullptr, 0, fmt.c_str(), value);
    if (needed < 0)
        return {};
    std::string text(static_cast<size_t>(needed) + 1, '\0');
    std::snprintf(text.data(), text.size(), fmt.c_str(), value);
    text.resize(static_cast<size_t>(needed));
    return text;
}

std::string print_signed(const Spec& spec, const std::string& fmt, va_list* args)
{
    const std::string& len = spec.length;
    if (len == "l")
        return print_one(fmt, va_arg(*args, long));
    if (len == "ll")
        return print_one(fmt, va_arg(*args, long long));
    if (len == "j")
        return print_one(fmt, va_arg(*args, intmax_t));
    if (len == "z")
        return print_one(fmt, va_arg(*args, ptrdiff_t));
    if (len == "t")
        return print_one(fmt, va_arg(*args, ptrdiff_t));
    return print_one(fmt, va_arg(*args, int));
}

std::string print_unsigned(const Spec& spec, const std::string& fmt, va_list* args)
{
    const std::string& len = spec.length;
    if (len == "l")
        return print_one(fmt, va_arg(*args, unsigned long));
    if (len == "ll")
        return print_one(fmt, va_arg(*args, unsigned long long));
    if (len == "j")
        return print_one(fmt, va_arg(*args, uintmax_t));
    if (len == "z")
        return print_one(fmt, va_arg(*args, size_t));
    if (len == "t")
        return print_one(fmt, va_arg(*args, size_t));
    return print_one(fmt, va_arg(*args, unsigned int));
}

// Numeric conversions. Returns false when `spec` is not one of them.
bool append_numeric_conversion(std::u16string& out, const Spec& spec, va_list* args)
{
    std::string fmt = narrow_spec(spec);
    std::string text;
    switch (spec.conversion) {
    case u'd':
    case u'i':
        text = print_signed(spec, fmt, args);
        break;
    case u'u':
    case u'o':
    case u'x':
    case u'X':
        text = print_unsigned(spec, fmt, args);
        break;
    case u'f':
    case u'F':
    case u'e':
    case u'E':
    case u'g':
    case u'G':
    case u'a':
    case u'A':
        if (spec.length == "L") {
            text = print_one(fmt, va_arg(*args, long double));
        } else {
            Spec plain = spec;
            plain.length.clear();  // %lf is %f: printf promotes floats to double
            text = print_one(narrow_spec(plain), va_arg(*args, double));
        }
        break;
    case u'p': {
        Spec plain = spec;
        plain.length.clear();
        text = print_one(narrow_spec(plain), va_arg(*args, void*));
        break;
    }
    default:
        return false;
    }
    out += from_utf8(text);
    return true;
}

void append_conversion(std::u16string& out, const char16_t* start, const char16_t*& p, va_list* args)
{
    Spec spec = parse_spec(p, args);
    if (spec.conversion == u'%') {
        out.push_back(u'%');
        return;
    }
    if (spec.conversion == u'n') {
        (void)va_arg(*args, void*);
        return;
    }
    if (append_text_conversion(out, spec, args) || append_numeric_conversion(out, spec, args))
        return;
    // Unknown conversion or a format cut short: shown as written.
    out.append(start, p);
}

}  // namespace

std::u16string vwformat(const char16_t* fmt, va_list args)
{
    std::u16string out;
    if (fmt == nullptr)
        return out;
    va_list local;
    va_copy(local, args);
    const char16_t* p = fmt;
    while (*p) {
        if (*p != u'%') {
            out.push_back(*p++);
            continue;
        }
        const char16_t* start = p++;
        append_conversion(out, start, p, &local);
    }
    va_end(local);
    return out;
}

std::u16string wformat(const char16_t* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    std::u16string out = vwformat(fmt, args);
    va_end(args);
    return out;
}

}  // namespace platform::text
