// The viewer window on its own, with a stand-in for the main window: this
// program links no library of the main window.
#include "objectviewer/Unit2.h"
#include "support/errors.h"
#include "support/helpers.h"
#include "support/names.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

using namespace vx;

namespace {

class StandInMain : public MainWindowLink {
public:
    int row = -1;
    float rota = 0;
    std::string folder = "T/";
    std::vector<std::string> lofiles;
    int chosen = -1;

    int lmpicklistIndex() const override { return row; }
    float selectedLandmarkRota() const override {
        if (row < 0) throw RangeError("no landmark selected");
        return rota;
    }
    std::string templateDir() const override { return folder; }
    std::optional<std::string> chosenLofile() const override {
        if (chosen < 0) return std::nullopt;
        return lofiles.at(size_t(chosen));
    }
    void chooseLofile(const std::string& name) override {
        for (size_t i = 0; i < lofiles.size(); ++i)
            if (lofiles[i] == name) chosen = int(i);
    }
};

class ViewerAlone : public ::testing::Test {
protected:
    vxtest::TempDir root;
    vxtest::DialogScope dlg;
    std::unique_ptr<vxtest::CwdScope> cwd;
    StandInMain main;

    void SetUp() override {
        setAppDirForTesting(root.str() + "/");
        cwd = std::make_unique<vxtest::CwdScope>(root.path());
        root.write("T/lo020201.dat", vxtest::objectFile({vxtest::makeObject(9, 10, 12.5f, -7, 90),
                                                         vxtest::makeObject(6, 0, -12.5f, 3)}));
        root.write("T/lo020302.dat", vxtest::objectFile({vxtest::makeObject(7, 1, 1, 2)}));
        main.lofiles = {"lo020201.dat", "lo020302.dat"};
        fillObjectNames();
        initUnit2();
        ui::Application().CreateForm<Tloview>();
    }
    void TearDown() override {
        ui::Application().resetForTesting();
        loview = nullptr;
        doneUnit2();
        objPics.free();
        cwd.reset();
        setAppDirForTesting("");
    }
    Tloview& v() { return *loview; }
};

TEST_F(ViewerAlone, LoadsAndDrawsTheObjectFileChosenInTheMainWindow) {
    v().connect(main);
    main.row = 0;
    main.rota = 90;
    main.chosen = 0;
    main.fromMain = true;
    v().loadLoFile();
    ASSERT_TRUE(dlg->messages.empty()) << dlg->messages.front();
    EXPECT_FALSE(main.fromMain);
    EXPECT_EQ(lotab.head.count, 2);
    v().initLoView();
    EXPECT_EQ(v().LMname->Caption().rfind(
                  "current LOfile: " + root.str() + "/T/lo020201.dat rot:  90 ", 0),
              0u)
        << v().LMname->Caption();
    EXPECT_EQ(v().drawnCount, 2);
}

TEST_F(ViewerAlone, DoubleClickChoosesTheMainWindowsEntry) {
    v().connect(main);
    main.row = 0;
    v().lopick->Items().assign({"lo020201.dat", "lo020302.dat"});
    v().lopick->setItemIndex(1);
    v().lopickDblClick();
    ASSERT_TRUE(dlg->messages.empty()) << dlg->messages.front();
    EXPECT_EQ(main.chosen, 1);
    EXPECT_FALSE(main.fromMain);
    EXPECT_EQ(lotab.head.count, 1);
    EXPECT_EQ(v().curLofileName(), "lo020302.dat");
}

TEST_F(ViewerAlone, TheObjectFileNameFollowsTheManualChoiceThenTheMainWindow) {
    v().connect(main);
    EXPECT_EQ(v().curLofileName(), "lo02xxxx.dat");
    main.chosen = 1;
    EXPECT_EQ(v().curLofileName(), "lo020302.dat");
    v().locfile->setChecked(true);
    v().manLofile = "/data/lo029999.dat";
    EXPECT_EQ(v().curLofileName(), "/data/lo029999.dat");
}

TEST_F(ViewerAlone, AHandOverWithoutAChosenFileAsksForALandmark) {
    v().connect(main);
    main.fromMain = true;
    v().loadLoFile();
    EXPECT_EQ(dlg->messages, std::vector<std::string>{"Select landmark first ....  "});
    EXPECT_TRUE(main.fromMain);
}

TEST_F(ViewerAlone, UnconnectedViewerRaisesNilObjectError) {
    EXPECT_THROW(v().mainWindow(), NilObjectError);
}

} // namespace
