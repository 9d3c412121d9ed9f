// Open and save dialogs; they run through vx::dialogs().chooseFile.
#pragma once

#include "support/dialogs.h"
#include "ui/component.h"

#include <string>

namespace vx::ui {

struct TOpenOptions {
    bool overwritePrompt = false;
    bool pathMustExist = false;
    bool fileMustExist = false;
};

class TOpenDialog : public TComponent {
public:
    const std::string& Title() const { return title_; }
    void setTitle(const std::string& t) { title_ = t; }
    const std::string& InitialDir() const { return initialDir_; }
    void setInitialDir(const std::string& d) { initialDir_ = d; }
    // Proposed before Execute, chosen after it.
    const std::string& FileName() const { return fileName_; }
    void setFileName(const std::string& f) { fileName_ = f; }
    // With or without its leading ".".
    const std::string& DefaultExt() const { return defaultExt_; }
    void setDefaultExt(const std::string& e) { defaultExt_ = e; }
    // "name|pattern|name|pattern"; a pattern may list several with ";".
    const std::string& Filter() const { return filter_; }
    void setFilter(const std::string& f) { filter_ = f; }
    // 1-based.
    int FilterIndex() const { return filterIndex_; }
    void setFilterIndex(int i) { filterIndex_ = i; }
    TOpenOptions& Options() { return options_; }

    // True when the user chose a file (FileName then holds its path).
    bool Execute();
    // The request Execute hands to the dialog service.
    vx::FileDialogRequest request() const;

protected:
    virtual bool isSave() const { return false; }

private:
    std::string title_, initialDir_, fileName_, defaultExt_, filter_;
    int filterIndex_ = 1;
    TOpenOptions options_;
};

class TSaveDialog : public TOpenDialog {
protected:
    bool isSave() const override { return true; }
};

} // namespace vx::ui
