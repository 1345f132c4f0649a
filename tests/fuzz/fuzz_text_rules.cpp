// Text rules on any bytes and any length: results are pieces of the input.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/text_rules.h"
#include "fuzz_input.h"

namespace {

bool IsPrefix(std::string_view part, std::string_view whole) { return whole.substr(0, part.size()) == part; }

bool IsSuffix(std::string_view part, std::string_view whole) {
    return part.size() <= whole.size() && whole.substr(whole.size() - part.size()) == part;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using orv::fuzz::Check;
    orv::fuzz::Input input(data, size);
    const int n = input.Int();
    const std::string_view text = input.Rest();

    const std::string cut = orv::TruncateChars(text, n);
    Check(IsPrefix(cut, text));
    if (n == 0 || (n > 0 && text.size() <= static_cast<std::size_t>(n))) Check(cut == text);
    if (n > 0) Check(cut.size() <= 2 * static_cast<std::size_t>(n));

    const std::string title = orv::FileTitle(text);
    Check(title.size() <= text.size());
    Check(text.find(title) != std::string_view::npos);

    const std::string extension = orv::FileExtension(text);
    Check(extension.empty() || IsSuffix("." + extension, text.substr(0, text.find('\0'))));

    const std::string parent = orv::ParentFolder(text);
    Check(IsPrefix(parent, text));

    const std::string caption = orv::MenuCaption(text);
    Check(IsPrefix(caption, std::string(text) + std::string(52, ' ')));
    Check(caption.size() <= 32);

    const std::string bare = orv::RemoveSpaces(caption);
    Check(bare.find(' ') == std::string::npos);
    Check(IsPrefix(bare, orv::RemoveSpaces(text)));
    return 0;
}
