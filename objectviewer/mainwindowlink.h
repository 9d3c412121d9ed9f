// What the viewer needs of the main window. The main window implements it and
// start-up connects the two, so this folder never includes the main window's
// headers and the viewer's library links without the main window's.
#pragma once

#include <optional>
#include <string>

namespace vx {

// The object file named while none is chosen in the main window.
inline constexpr const char* noLofileName = "lo02xxxx.dat";

class MainWindowLink {
public:
    // True tells the viewer's next load to take the object file chosen in the
    // main window (appDir + templateDir + curLofileName) instead of asking
    // with a dialog.
    bool fromMain = false;

    // The selected row of the landmark list lmpicklist, -1 when none is.
    virtual int lmpicklistIndex() const = 0;
    // The rota of the selected landmark; RangeError when no row is selected.
    virtual float selectedLandmarkRota() const = 0;
    // The selected template folder followed by "/", or "./" when none is selected.
    virtual std::string templateDir() const = 0;
    // The entry selected in the object-file list Lofile; none when no entry is.
    virtual std::optional<std::string> chosenLofile() const = 0;
    // Selects the first entry of Lofile with that text, when it has one; runs
    // no handler, as any selection the program makes.
    virtual void chooseLofile(const std::string& name) = 0;

protected:
    ~MainWindowLink() = default;
};

} // namespace vx
