// libFuzzer target: the case reader takes arbitrary bytes; it must open them or refuse them
// with its own error, never crash, hang or leak. What it opens, held as the window holds it, it
// saves and opens again to the same case, through the files as the program uses them.
#include "CaseFile.h"
#include "Checks.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

// A folder of the run's own for the files, removed when the run ends.
QString folder()
{
    static const QTemporaryDir dir;
    return dir.path();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    bool parsed = false;
    casefile::Case c;
    try {
        c = casefile::caseFromJson(bytes);
        parsed = true;
        // What was read writes and reads back to the same case.
        if (!(casefile::caseFromJson(casefile::caseToJson(c)) == c))
            __builtin_trap();
    } catch (const borrowing::Refused&) {
        // a refused file is what should happen
    }

    const QString input = folder() + QStringLiteral("/entrada.endeudamiento");
    QFile file(input);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        __builtin_trap();
    file.close();
    casefile::Case opened;
    try {
        opened = casefile::readCaseFile(input);
    } catch (const borrowing::Refused&) {
        // Refused with what is wrong, which the window phrases.
        return 0;
    }
    // Opening accepts only what the reader parses; the case as the window holds it saves, the
    // way the window saves it, and opens again to that same case.
    if (!parsed || !(opened == c))
        __builtin_trap();
    const borrowing::Case held = borrowing::shownCase(opened);
    const QString saved = folder() + QStringLiteral("/guardado.endeudamiento");
    casefile::writeCaseFile(saved, held);
    if (!(borrowing::shownCase(casefile::readCaseFile(saved)) == held))
        __builtin_trap();
    return 0;
}
