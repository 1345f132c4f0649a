// Any bytes as a shortcut file: no read outside them, and a result only with
// a local path.
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/shell_link.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto target = orv::ParseShellLink(std::span<const std::uint8_t>(data, size));
    if (target) {
        orv::fuzz::Check(size >= 76);
        // base path and suffix are each inside the bytes (they may overlap)
        orv::fuzz::Check(target->ansiPath.size() < 2 * size);
        orv::fuzz::Check(target->unicodePath.size() <= size);
        orv::fuzz::Check(target->hasArguments || (target->ansiArguments.empty() && target->unicodeArguments.empty()));
    }
    return 0;
}
