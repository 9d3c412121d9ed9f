#include "mapeditor/lmexport.h"

#include "mapeditor/lmtext.h"
#include "support/names.h"
#include "support/records.h"
#include "support/rtlconv.h"

namespace vx {

namespace {
std::string ifOn(bool flag, const std::string& text) {
    return flag ? text : std::string();
}
} // namespace

std::string exportLine(const landmark& rec, int recNo, int mode, const ExportColumns& cols) {
    const std::string sep = cols.csv ? ", " : " ";
    // The object-file name is built for every record, ticked or not, so a bad
    // mode is refused whatever the columns.
    const std::string lo = loFileName(mode, rec);
    std::string line;
    line += ifOn(cols.recnr, Format("%3D ", {static_cast<long long>(recNo)})) + sep;
    line += ifOn(cols.lo, Format("%12S", {lo})) + sep;
    line += ifOn(cols.hidden, exportInactive(rec) ? "inactive" : "visible ") + sep;
    line +=
        ifOn(cols.coords, Format("EW %13S NS %13S", {FloatToStr(rec.lon), FloatToStr(rec.lat)})) +
        sep;
    line += ifOn(cols.side, rec.lmid.at(lmSideSel) == 0 ? "G" : "A") + sep;
    line += ifOn(cols.name, Format("%S", {std::string(nameText(rec))}));
    return line;
}

std::string exportText(const Tlm& t, int mode, const ExportColumns& cols) {
    std::string out;
    for (int i = 1; i <= t.count(); ++i) {
        const landmark& rec = t.rec(i);
        if (cols.activeOnly && exportInactive(rec)) continue;
        out += exportLine(rec, i, mode, cols) + "\n";
    }
    return out;
}

} // namespace vx
