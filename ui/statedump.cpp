// With VX_STATE_FILE set, the program writes what its controls hold after
// every event, so end-to-end tests can check what a window shows without
// reading pixels of text.
#include "support/errors.h"
#include "support/fileio.h"
#include "ui/application.h"
#include "ui/combobox.h"
#include "ui/image.h"
#include "ui/listbox.h"
#include "ui/scrollbox.h"
#include "ui/stdctrls.h"
#include "ui/trackbar.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace vx::ui {

namespace {

std::string oneLine(std::string s) {
    std::string out;
    for (char c : s) {
        if (c == '\r') continue;
        if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

// $BBGGRR, as colours are written in the program.
std::string colourText(TColor c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "$%06X", unsigned(c));
    return buf;
}

void describe(const std::string& form, const TControl& c, std::string& out) {
    const std::string key = form + "." + c.Name() + ".";
    const TPoint o = c.screenOrigin();
    out += key + "bounds=" + std::to_string(o.X) + " " + std::to_string(o.Y) + " " +
           std::to_string(c.Width()) + " " + std::to_string(c.Height()) + "\n";
    const bool captioned = dynamic_cast<const TButton*>(&c) || dynamic_cast<const TLabel*>(&c) ||
                           dynamic_cast<const TCheckBox*>(&c);
    if (int l = 0, r = 0; captioned && c.captionSpan(l, r))
        out += key + "captionSpan=" + std::to_string(l) + " " + std::to_string(r) + "\n";
    if (auto* l = dynamic_cast<const TListBox*>(&c)) {
        out += key + "ItemIndex=" + std::to_string(l->ItemIndex()) + "\n";
        out += key + "Count=" + std::to_string(l->Items().Count()) + "\n";
    } else if (auto* m = dynamic_cast<const TMemo*>(&c)) {
        out += key + "Text=" + oneLine(m->Text()) + "\n";
        out += key + "showsAll=" + std::to_string(m->peerShowsAll()) + "\n";
    } else if (auto* b = dynamic_cast<const TComboBox*>(&c)) {
        out += key + "ItemIndex=" + std::to_string(b->ItemIndex()) + "\n";
        out += key + "Text=" + oneLine(b->Text()) + "\n";
    } else if (auto* cb = dynamic_cast<const TCheckBox*>(&c)) {
        out += key + "Checked=" + (cb->Checked() ? "1" : "0") + "\n";
    } else if (auto* bt = dynamic_cast<const TButton*>(&c)) {
        out += key + "Caption=" + oneLine(bt->Caption()) + "\n";
    } else if (auto* lb = dynamic_cast<const TLabel*>(&c)) {
        out += key + "Caption=" + oneLine(lb->Caption()) + "\n";
        out += key + "FontColor=" + colourText(lb->FontColor()) + "\n";
    } else if (auto* e = dynamic_cast<const TEdit*>(&c)) {
        out += key + "Text=" + oneLine(e->Text()) + "\n";
    } else if (auto* s = dynamic_cast<const TScrollBox*>(&c)) {
        out += key + "HorzPos=" + std::to_string(s->HorzScrollBar().Position()) + "\n";
        out += key + "VertPos=" + std::to_string(s->VertScrollBar().Position()) + "\n";
    } else if (auto* t = dynamic_cast<const TTrackBar*>(&c)) {
        out += key + "Position=" + std::to_string(t->Position()) + "\n";
    } else if (auto* i = dynamic_cast<const TImage*>(&c)) {
        out +=
            key + "size=" + std::to_string(i->Width()) + " " + std::to_string(i->Height()) + "\n";
        out += key + "paints=" + std::to_string(i->paintCount()) + "\n";
        out += key + "repaintPending=" + std::string(i->repaintPending() ? "1" : "0") + "\n";
    }
    for (const TControl* child : c.children()) describe(form, *child, out);
}

} // namespace

std::string TApplication::stateText() const {
    std::string out = "Application.dispatched=" + std::to_string(dispatched_) + "\n";
    for (const auto& f : forms_) {
        out += f->Name() + ".visible=" + (f->Visible() ? "1" : "0") + "\n";
        out += f->Name() + ".caption=" + f->Caption() + "\n";
        for (const TControl* c : f->children()) describe(f->Name(), *c, out);
    }
    return out;
}

void TApplication::writeStateIfAsked() const {
    const char* path = std::getenv("VX_STATE_FILE");
    if (!path || !*path) return;
    // Inside a handler (a repaint it causes) the state is half made; the
    // handler's end writes it.
    if (dispatchDepth_ > 0) return;
    std::string out = stateText();
    // Rewriting what the file already holds would only cost the writer and
    // its readers time (a rename over a file starts its disk write).
    if (out == writtenState_ && path == writtenStatePath_ && access(path, F_OK) == 0) return;
    // Through the one writer, so a reader never sees half a state. A state
    // that cannot be written is tried again with the next event.
    try {
        writeFileAtomic(path, out);
    } catch (const Error&) {
        return;
    }
    writtenState_ = std::move(out);
    writtenStatePath_ = path;
}

} // namespace vx::ui
