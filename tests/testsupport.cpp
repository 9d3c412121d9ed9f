#include "testsupport.h"

#include "support/records.h"

#include <algorithm>
#include <csignal>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace vxtest {

std::string objectFile(const std::vector<vx::LOobject>& objs, uint16_t count) {
    vx::landmarkhead h{};
    h.count = count;
    h.recsize = 20;
    std::string out(reinterpret_cast<const char*>(&h), sizeof h);
    for (const auto& o : objs) out.append(reinterpret_cast<const char*>(&o), sizeof o);
    return out;
}

vx::LOobject makeObject(uint8_t cls, uint8_t type, float x, float y, float rota, uint8_t hide,
                        float elev) {
    vx::LOobject o{};
    o.loid.at(1) = cls;
    o.loid.at(2) = type;
    o.x = x;
    o.y = y;
    o.rota = rota;
    o.hide = hide;
    o.elev = elev;
    return o;
}

TempDir::TempDir() {
    std::string tmpl = (fs::temp_directory_path() / "vxtest-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
    path_ = tmpl;
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

void TempDir::write(const std::string& rel, const std::string& bytes) const {
    fs::create_directories((path_ / rel).parent_path());
    writeFile(path_ / rel, bytes);
}

std::string TempDir::read(const std::string& rel) const {
    return readFile(path_ / rel);
}

std::string readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + p.string());
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void writeFile(const fs::path& p, const std::string& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("cannot write " + p.string());
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void ScriptedDialogs::showMessage(const std::string& text) {
    messages.push_back(text);
}

bool ScriptedDialogs::confirm(const std::string& text) {
    messages.push_back(text);
    if (confirmAnswers.empty()) return false;
    bool a = confirmAnswers.front();
    confirmAnswers.pop_front();
    return a;
}

bool ScriptedDialogs::chooseFile(const vx::FileDialogRequest& req, std::string& path) {
    fileRequests.push_back(req);
    if (fileAnswers.empty()) return false;
    path = fileAnswers.front();
    fileAnswers.pop_front();
    return !path.empty();
}

bool ScriptedDialogs::showError(const std::string& text) {
    errors.push_back(text);
    return false;
}

DialogScope::DialogScope() : svc_(std::make_shared<ScriptedDialogs>()) {
    prev_ = vx::setDialogService(svc_);
}

DialogScope::~DialogScope() {
    vx::setDialogService(prev_);
}

FileSizeLimit::FileSizeLimit(unsigned long bytes) {
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    oldCur_ = old.rlim_cur;
    oldMax_ = old.rlim_max;
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &small);
}
FileSizeLimit::~FileSizeLimit() {
    rlimit old{oldCur_, oldMax_};
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler_);
}

CwdScope::CwdScope(const fs::path& dir) : prev_(fs::current_path()) {
    fs::current_path(dir);
}
CwdScope::~CwdScope() {
    std::error_code ec;
    fs::current_path(prev_, ec);
}

std::string fileHeader(uint16_t count, uint16_t recsize) {
    vx::landmarkhead h{};
    std::memcpy(h.hchars1, "VXHEAD01", 8);
    h.hbytes2[1] = 0xa5;
    h.hword = 0x1234;
    h.htail[73] = 0x5a;
    h.count = count;
    h.recsize = recsize;
    return {reinterpret_cast<const char*>(&h), sizeof h};
}

int runAsNobody(const std::function<int()>& fn) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::setgid(nobodyId) != 0 || ::setuid(nobodyId) != 0) ::_exit(99);
        int rc = 98;
        try {
            rc = fn();
        } catch (...) {
        }
        ::_exit(rc);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> strayNames(const fs::path& dir, std::initializer_list<std::string> keep) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(dir)) {
        const std::string n = e.path().filename().string();
        if (std::find(keep.begin(), keep.end(), n) == keep.end()) out.push_back(n);
    }
    return out;
}

} // namespace vxtest
