#include "app/program_directory.h"

#include "platform/text/text.h"

namespace app {

namespace {

constexpr size_t kPathBuffer = 260;  // characters, the terminating NUL included

bool is_space(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
}

}  // namespace

std::u16string program_directory_from(std::u16string_view executable_path)
{
    std::u16string path = platform::text::to_upper(executable_path.substr(0, kPathBuffer - 1));
    size_t at = path.find(u"VARNO.EXE");
    if (at == std::u16string::npos)
        return {};
    path.resize(at);
    return path;
}

std::u16string strip_trailing_space(std::u16string path)
{
    while (!path.empty() && is_space(path.back()))
        path.pop_back();
    return path;
}

}  // namespace app
