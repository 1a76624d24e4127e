#include "output_files.h"

namespace harvel_report {

platform::AtomicFile* OutputFiles::Open(const QString& fileName) {
    auto file = std::make_unique<platform::AtomicFile>(fileName);
    if (!file->Open()) {
        Fail(*file);
        return nullptr;
    }
    files_.push_back(std::move(file));
    return files_.back().get();
}

bool OutputFiles::Finish(platform::AtomicFile& file) {
    return file.Finish() || Fail(file);
}

bool OutputFiles::Commit() {
    for (const auto& file : files_) {
        if (!file->Commit()) {
            return Fail(*file);
        }
    }
    return true;
}

bool OutputFiles::Fail(const platform::AtomicFile& file) {
    if (failure_.isEmpty()) {
        failure_ = file.FailureText();
    }
    return false;
}

}  // namespace harvel_report
