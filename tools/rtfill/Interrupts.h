// Interrupts: a signal that ends rtfill during a fill removes the output's temporary file first.
#pragma once

#include "OutputFile.h"

#include <optional>
#include <string>

namespace rtfill {

// Handles SIGINT, SIGTERM and SIGHUP: the temporary file of the InterruptibleOutput being written
// is removed, then the signal ends the process as it would have. A signal ignored at start (as
// under nohup) stays ignored.
void removeTemporaryOnInterrupt();

// An output file whose temporary file a handled signal removes while this object lives.
class InterruptibleOutput final
{
public:
    explicit InterruptibleOutput(const std::string& path);
    ~InterruptibleOutput();
    InterruptibleOutput(const InterruptibleOutput&) = delete;
    InterruptibleOutput& operator=(const InterruptibleOutput&) = delete;

    templating::OutputFile& file() { return *m_file; }

private:
    std::optional<templating::OutputFile> m_file;
};

} // namespace rtfill
