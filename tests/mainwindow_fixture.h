// A main window built headless over a generated program folder and current folder.
#pragma once

#include "mapeditor/Unit1.h"
#include "mapeditor/lmfile.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace vxtest {

// Writes a plain JPEG of the given size and colour ($BBGGRR).
void writeJpeg(const std::filesystem::path& p, int w, int h, uint32_t color);

// A landmark file: 100-byte header, 63-byte records.
std::string landmarkFile(const std::vector<vx::landmark>& recs);
vx::landmark makeLandmark(const char* name, float lat, float lon, uint8_t type = 0,
                          uint8_t side = 0, uint8_t lofile = 0);

// The middle of map k as (latitude, longitude), single precision as a file holds it.
std::pair<float, float> mapMiddle(int k);

class MainWindowTest : public ::testing::Test {
protected:
    TempDir root;
    std::filesystem::path prog, cwd; // program folder and current folder
    DialogScope dlg;

    void SetUp() override;
    void TearDown() override;
    // Builds the two windows as start-up does.
    vx::TForm1& create();
    // Creates both folders' usual contents: LMdefault with lndmrks4.mlf and a map picture.
    void standardData(const std::vector<vx::landmark>& recs, int map = 4);
    vx::TForm1& f() { return *vx::Form1; }

private:
    std::unique_ptr<CwdScope> cwdScope_;
};

} // namespace vxtest
