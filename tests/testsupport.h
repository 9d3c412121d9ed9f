// Shared fixtures: a temporary folder per test and a scripted dialog responder.
#pragma once

#include "support/dialogs.h"
#include "support/records.h"

#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace vxtest {

// An object record of class, type at x, y.
vx::LOobject makeObject(uint8_t cls, uint8_t type, float x, float y, float rota = 0,
                        uint8_t hide = 0, float elev = 0);

// An object file: header with count (and recsize 20), then the records.
std::string objectFile(const std::vector<vx::LOobject>& objs, uint16_t count);
inline std::string objectFile(const std::vector<vx::LOobject>& objs) {
    return objectFile(objs, static_cast<uint16_t>(objs.size()));
}

// A fresh folder, removed with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string(); }
    std::filesystem::path operator/(const std::string& rel) const { return path_ / rel; }
    void write(const std::string& rel, const std::string& bytes) const;
    std::string read(const std::string& rel) const;

private:
    std::filesystem::path path_;
};

// Answers dialogs from a script and records every text shown.
class ScriptedDialogs : public vx::DialogService {
public:
    std::vector<std::string> messages;   // message boxes and confirmations, in order
    std::deque<bool> confirmAnswers;     // default: Cancel
    std::deque<std::string> fileAnswers; // "" = Cancel
    std::vector<vx::FileDialogRequest> fileRequests;
    std::vector<std::string> errors;

    void showMessage(const std::string& text) override;
    bool confirm(const std::string& text) override;
    bool chooseFile(const vx::FileDialogRequest& req, std::string& path) override;
    bool showError(const std::string& text) override;
};

// Installs a ScriptedDialogs for the lifetime of the object.
class DialogScope {
public:
    DialogScope();
    ~DialogScope();
    ScriptedDialogs& operator*() { return *svc_; }
    ScriptedDialogs* operator->() { return svc_.get(); }

private:
    std::shared_ptr<ScriptedDialogs> svc_;
    std::shared_ptr<vx::DialogService> prev_;
};

// Changes the current folder for the lifetime of the object.
class CwdScope {
public:
    explicit CwdScope(const std::filesystem::path& dir);
    ~CwdScope();

private:
    std::filesystem::path prev_;
};

// Limits the size of files this process writes for the lifetime of the
// object, so a write fails part way, for root too.
class FileSizeLimit {
public:
    explicit FileSizeLimit(unsigned long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    unsigned long oldCur_, oldMax_;
    void (*oldHandler_)(int);
};

// A 100-byte file header with the given count and record size; its other
// bytes are non-zero marks that a save must carry through.
std::string fileHeader(uint16_t count, uint16_t recsize);

std::string readFile(const std::filesystem::path& p);
void writeFile(const std::filesystem::path& p, const std::string& bytes);

// The unprivileged user "nobody", for tests of what permission bits stop
// (the tests run as root, whom they do not stop).
inline constexpr unsigned nobodyId = 65534;
// Runs fn in a child process as nobody; returns fn's exit code, 99 when the
// process could not become nobody, -1 when it did not exit normally.
int runAsNobody(const std::function<int()>& fn);
// Names in the folder apart from the expected ones: a temporary file left behind.
std::vector<std::string> strayNames(const std::filesystem::path& dir,
                                    std::initializer_list<std::string> keep);

} // namespace vxtest
