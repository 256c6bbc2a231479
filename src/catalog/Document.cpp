#include "catalog/Document.h"

const Step& CatalogDocument::Do(std::unique_ptr<Step> step) {
    step->Apply(catalog_);
    steps_.resize(done_);
    if (clean_ > done_) {
        clean_ = kNoClean;
    }
    steps_.push_back(std::move(step));
    ++done_;
    modified_ = true;
    return *steps_.back();
}

const Step* CatalogDocument::Undo() {
    if (done_ == 0) {
        return nullptr;
    }
    Step& step = *steps_[done_ - 1];
    step.Undo(catalog_);
    --done_;
    modified_ = done_ != clean_;
    return &step;
}

const Step* CatalogDocument::Redo() {
    if (done_ == steps_.size()) {
        return nullptr;
    }
    Step& step = *steps_[done_];
    step.Apply(catalog_);
    ++done_;
    modified_ = done_ != clean_;
    return &step;
}

void CatalogDocument::Clear() {
    catalog_.Clear();
    steps_.clear();
    done_ = 0;
    clean_ = modified_ ? kNoClean : 0;
}

void CatalogDocument::Read(const ShortDateFormat& dates) {
    steps_.clear();
    done_ = 0;
    clean_ = 0;
    files_.Read(fileName_, catalog_, dates);
}

void CatalogDocument::Write(const ShortDateFormat& dates) {
    files_.Write(fileName_, catalog_, dates);
    clean_ = done_;
}
