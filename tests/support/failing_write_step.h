#pragma once
// Makes every atomic write fail at one chosen step while the object lives.

#include "formats/file_io.h"

#include <string>

namespace korvex::test {

class FailingWriteStep {
public:
    explicit FailingWriteStep(WriteStep step) { setFailingWriteStep(step); }
    ~FailingWriteStep() { setFailingWriteStep(std::nullopt); }
    FailingWriteStep(const FailingWriteStep&) = delete;
    FailingWriteStep& operator=(const FailingWriteStep&) = delete;
};

// The steps whose failure must leave the old file as it was.
inline constexpr WriteStep kFailingWriteSteps[] = {WriteStep::CreateTemporary, WriteStep::Write,
                                                   WriteStep::Sync, WriteStep::Rename};

inline std::string writeStepName(WriteStep step) {
    switch (step) {
    case WriteStep::CreateTemporary:
        return "create";
    case WriteStep::Write:
        return "write";
    case WriteStep::Sync:
        return "sync";
    case WriteStep::Rename:
        return "rename";
    case WriteStep::SyncFolder:
        return "folder sync";
    }
    return "?";
}

} // namespace korvex::test
