// libFuzzer target: the case reader takes arbitrary bytes; it must open them or refuse them
// with its own error, never crash, hang or leak.
#include "CaseFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        const casefile::Case c = casefile::caseFromJson(bytes);
        // What was read writes and reads back to the same case.
        if (!(casefile::caseFromJson(casefile::caseToJson(c)) == c))
            __builtin_trap();
    } catch (const casefile::CaseFormatError&) {
        // a refused file is what should happen
    }
    return 0;
}
