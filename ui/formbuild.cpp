#include "ui/formbuild.h"

#include "ui/application.h"
#include "ui/image.h"
#include "ui/paintedscrollbox.h"
#include "ui/recordimage.h"

#include <algorithm>
#include <iterator>
#include <set>

namespace vx::ui {

RowHeights measuredRows(RowHeights atLeast) {
    // Letters that reach up and down take a line's whole height.
    const std::string sample = "Mg";
    auto height = [&](TextBox kind, int least) {
        return std::max(least, neededSize(kind, sample).Y);
    };
    return {height(TextBox::button, atLeast.button),         height(TextBox::combo, atLeast.combo),
            height(TextBox::entryCombo, atLeast.entryCombo), height(TextBox::edit, atLeast.edit),
            height(TextBox::label, atLeast.label),           height(TextBox::check, atLeast.check)};
}

int widthFor(TextBox kind, std::initializer_list<std::string> texts, int atLeast,
             const std::string& font) {
    int w = atLeast;
    for (const std::string& t : texts) w = std::max(w, neededSize(kind, t, font).X);
    return w;
}

namespace {

template <class T> TControl* make(TForm& form, const ComponentRow& r, TControl* parent) {
    const Place& p = r.place;
    return form.add<T>(r.name, parent, p.left, p.top, p.width, p.height);
}

// A control of kind T and none of the kinds derived from it that rows name apart.
template <class T, class... Not> bool is(const TControl* c) {
    return dynamic_cast<const T*>(c) && !(dynamic_cast<const Not*>(c) || ...);
}

struct KindOps {
    TControl* (*create)(TForm&, const ComponentRow&, TControl*);
    bool (*is)(const TControl*);
};

// By Kind, in its order.
constexpr KindOps kinds[] = {
    {make<TButton>, is<TButton>},
    {make<TLabel>, is<TLabel, TStaticText>},
    {make<TStaticText>, is<TStaticText>},
    {make<TCheckBox>, is<TCheckBox>},
    {make<TComboBox>, is<TComboBox>},
    {make<TListBox>, is<TListBox>},
    {make<TEdit>, is<TEdit, TMaskEdit>},
    {make<TMaskEdit>, is<TMaskEdit>},
    {make<TMemo>, is<TMemo>},
    {make<TTrackBar>, is<TTrackBar>},
    {make<TImage>, is<TImage, TRecordImage>},
    {make<TScrollBox>, is<TScrollBox, TPaintedScrollBox>},
    {make<TPaintedScrollBox>, is<TPaintedScrollBox>},
    {make<TRecordImage>, is<TRecordImage>},
};
static_assert(std::size(kinds) == size_t(Kind::recordImage) + 1);

// The state each kind takes from its row.
void apply(TControl* c, const ComponentRow& r) {
    if (auto* b = dynamic_cast<TButton*>(c)) b->setCaption(r.text);
    if (auto* l = dynamic_cast<TLabel*>(c)) l->setCaption(r.text);
    if (auto* k = dynamic_cast<TCheckBox*>(c)) {
        k->setCaption(r.text);
        k->setChecked(r.checked);
    }
    if (auto* e = dynamic_cast<TEdit*>(c)) e->setText(r.text);
    if (auto* m = dynamic_cast<TMemo*>(c)) {
        if (!r.text.empty()) m->setText(r.text);
        if (!r.font.empty()) m->setFontName(r.font);
    }
    if (auto* x = dynamic_cast<TComboBox*>(c)) {
        x->setStyle(r.style);
        if (!r.font.empty()) x->setFontName(r.font);
        for (const std::string& item : r.items) x->Items().Add(item);
        x->setItemIndex(r.itemIndex);
    }
    if (auto* x = dynamic_cast<TListBox*>(c)) {
        x->setMultiSelect(r.multiSelect);
        if (!r.font.empty()) x->setFontName(r.font);
        for (const std::string& item : r.items) x->Items().Add(item);
        if (r.itemIndex >= 0) x->setItemIndex(r.itemIndex);
    }
    if (auto* t = dynamic_cast<TTrackBar*>(c)) {
        t->setOrientation(trVertical);
        t->setReversed(r.range.reversed);
        t->setMax(r.range.max);
        t->setMin(r.range.min);
        t->setPosition(r.range.position);
    }
    if (!r.hint.empty()) c->setHint(r.hint);
    if (!r.enabled) c->setEnabled(false);
    if (!r.visible) c->setVisible(false);
}

std::string textOf(const TControl* c) {
    if (auto* b = dynamic_cast<const TButton*>(c)) return b->Caption();
    if (auto* l = dynamic_cast<const TLabel*>(c)) return l->Caption();
    if (auto* k = dynamic_cast<const TCheckBox*>(c)) return k->Caption();
    if (auto* e = dynamic_cast<const TEdit*>(c)) return e->Text();
    return "";
}

std::vector<std::string> itemsOf(const TControl* c) {
    std::vector<std::string> out;
    auto take = [&](const auto& items) {
        for (int i = 0; i < items.Count(); ++i) out.push_back(items[i]);
    };
    if (auto* x = dynamic_cast<const TComboBox*>(c)) take(x->Items());
    if (auto* x = dynamic_cast<const TListBox*>(c)) take(x->Items());
    return out;
}

// Where one control differs from its row.
void compare(const TControl* c, const ComponentRow& r, std::vector<std::string>& out) {
    auto differ = [&](const std::string& what) { out.push_back(r.name + ": " + what); };
    if (!kinds[size_t(r.kind)].is(c)) differ("another kind");
    const TControl* parent = c->Parent();
    if ((parent && parent != c->Owner() ? parent->Name() : "") != r.parent) differ("parent");
    const Place& p = r.place;
    if (c->Left() != p.left || c->Top() != p.top || c->Width() != p.width ||
        c->Height() != p.height)
        differ("place");
    const Anchors a = c->anchors();
    if (a.left != r.anchors.left || a.top != r.anchors.top || a.right != r.anchors.right ||
        a.bottom != r.anchors.bottom)
        differ("anchors");
    if (!dynamic_cast<const TMemo*>(c) && textOf(c) != r.text) differ("text");
    if (itemsOf(c) != r.items) differ("items");
    if (c->Visible() != r.visible) differ("visible");
    if (c->Enabled() != r.enabled) differ("enabled");
    if (c->Hint() != r.hint) differ("hint");
    if (auto* k = dynamic_cast<const TCheckBox*>(c); k && k->Checked() != r.checked)
        differ("checked");
    if (auto* x = dynamic_cast<const TListBox*>(c)) {
        if (x->ItemIndex() != r.itemIndex) differ("item index");
        if (x->MultiSelect() != r.multiSelect) differ("multi-select");
        if (x->FontName() != r.font) differ("font");
    }
    if (auto* x = dynamic_cast<const TComboBox*>(c)) {
        if (x->ItemIndex() != r.itemIndex) differ("item index");
        if (x->Style() != r.style) differ("style");
        if (x->FontName() != r.font) differ("font");
    }
    if (auto* t = dynamic_cast<const TTrackBar*>(c);
        t &&
        (t->Min() != r.range.min || t->Max() != r.range.max || t->Position() != r.range.position ||
         t->Reversed() != r.range.reversed || t->Orientation() != trVertical))
        differ("range");
}

} // namespace

void buildComponents(TForm& form, const std::vector<ComponentRow>& rows) {
    for (const ComponentRow& r : rows) {
        TControl* parent = r.parent.empty() ? nullptr : form.FindComponent(r.parent);
        TControl* c = kinds[size_t(r.kind)].create(form, r, parent);
        c->setAnchors(r.anchors.left, r.anchors.top, r.anchors.right, r.anchors.bottom);
        apply(c, r);
        if (r.fills) r.fills(c);
    }
}

void buildMenus(TForm& form, const std::vector<MenuRow>& menus) {
    for (const MenuRow& m : menus) {
        auto* menu = form.add<TPopupMenu>(m.name);
        for (const MenuItemRow& i : m.items) {
            TMenuItem* item = menu->add(i.name, i.caption);
            if (!i.hint.empty()) item->setHint(i.hint);
            if (i.fills) i.fills(item);
        }
        form.FindComponent(m.owner)->setPopupMenu(menu);
        if (m.fills) m.fills(menu);
    }
}

std::vector<std::string> differences(const TForm& form, const std::vector<ComponentRow>& rows,
                                     const std::vector<MenuRow>& menus) {
    std::vector<std::string> out;
    std::set<std::string> described;
    for (const ComponentRow& r : rows) {
        described.insert(r.name);
        if (const TControl* c = form.FindComponent(r.name))
            compare(c, r, out);
        else
            out.push_back(r.name + ": missing");
    }
    std::function<void(const TControl&)> extra = [&](const TControl& parent) {
        for (const TControl* c : parent.children()) {
            if (!described.count(c->Name())) out.push_back(c->Name() + ": no row");
            extra(*c);
        }
    };
    extra(form);
    for (const MenuRow& m : menus) {
        const auto* menu = form.find<TPopupMenu>(m.name);
        const TControl* owner = form.FindComponent(m.owner);
        if (!menu || !owner || owner->PopupMenu() != menu) {
            out.push_back(m.name + ": missing or not on " + m.owner);
            continue;
        }
        if (menu->Items().size() != m.items.size()) out.push_back(m.name + ": items");
        for (size_t i = 0; i < std::min(menu->Items().size(), m.items.size()); ++i) {
            const TMenuItem& item = *menu->Items()[i];
            const MenuItemRow& row = m.items[i];
            if (item.Name() != row.name || item.Caption() != row.caption || item.Hint() != row.hint)
                out.push_back(m.name + "." + row.name + ": differs");
        }
    }
    return out;
}

void fitToScreen(TForm& form, int maxWidth, int maxHeight) {
    const TPoint screen = Application().screenSize();
    if (screen.X <= form.Width() + 60 || screen.Y <= form.Height() + 60) return;
    form.setBounds(form.Left(), form.Top(), std::min(screen.X - 60, maxWidth),
                   std::min(screen.Y - 80, maxHeight));
}

} // namespace vx::ui
