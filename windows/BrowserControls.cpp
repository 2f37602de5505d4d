#include "windows/BrowserControls.h"

#include "toolkit/Controls.h"
#include "toolkit/ListBox.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>

namespace BrowserControls {

namespace {

using BrowserLayouts::ControlLooks;
using BrowserLayouts::FontRole;
using BrowserLayouts::Kind;

const char *const kHeaders5[] = {"Chrono", "Name", "Status", "When", "Now"};

// Sizes in the layout are points of 1/72 inch, one pixel each at the layout's scale, as on the
// desktop the layout was drawn for; Qt's point sizes follow the screen's DPI (96 on Linux), so
// explicit sizes are given in pixels to keep text in proportion to its control.
constexpr int kCountPixelSize = 18;
constexpr int kSwitchGlyphPixelSize = 16;

// The role a result label keeps, so its accessible name can be rebuilt with each value.
const char *const kAccessibleRole = "vantrelAccessibleRole";

const QString kNoneYet = QStringLiteral("none yet");
const QString kNone = QStringLiteral("none");

// The role, then what a screen reader should hear of the value.
QString spoken(const QString &role, const QString &value)
{
    return role + QStringLiteral(": ") + (value.isEmpty() ? kNone : value);
}

// An accessible name that changes is announced: Qt sends the name-change event itself, but only
// for a name that differs, and a screen reader speaks it as the new value of the control.
void setAnnouncedName(QWidget *w, const QString &name)
{
    if (w->accessibleName() == name)
        return;
    w->setAccessibleName(name);
}

QColor colorOf(int rgb) { return QColor(QRgb(rgb)); }

// Emoji need a colour emoji font: the default font has none (or, for the mouse, a black and
// white one), so it is put first for the controls that show one.
void useEmojiFont(QWidget *w, int pixelSize)
{
    QFont f = w->font();
    f.setFamilies({QStringLiteral("Noto Color Emoji"), QStringLiteral("Apple Color Emoji"),
                   QStringLiteral("Segoe UI Emoji"), f.family()});
    if (pixelSize > 0)
        f.setPixelSize(pixelSize);
    w->setFont(f);
}

void applyFont(QWidget *w, FontRole role)
{
    switch (role) {
    case FontRole::Default:
        return;
    case FontRole::Bold:
    case FontRole::Count: {
        QFont f = w->font();
        f.setBold(true);
        if (role == FontRole::Count)
            f.setPixelSize(kCountPixelSize);
        w->setFont(f);
        return;
    }
    case FontRole::Emoji:
        useEmojiFont(w, 0);
        return;
    case FontRole::SwitchGlyph:
        useEmojiFont(w, kSwitchGlyphPixelSize);
        return;
    }
}

void applyText(QWidget *w, const QString &value)
{
    if (auto *t = qobject_cast<Toolkit::TextField *>(w))
        t->setTextValue(value);
    else if (auto *l = qobject_cast<Toolkit::Label *>(w))
        l->setTextValue(value);
    else if (auto *b = qobject_cast<Toolkit::Button *>(w))
        b->setText(value);
}

void applyAlignment(QWidget *w, Qt::Alignment alignment)
{
    if (auto *t = qobject_cast<Toolkit::TextField *>(w))
        t->setAlignment(alignment);
    else if (auto *l = qobject_cast<Toolkit::Label *>(w))
        l->setAlignment(alignment);
}

} // namespace

QWidget *Create(const BrowserLayouts::ControlRow &row)
{
    const QString name = QLatin1String(row.name);
    QWidget *w = nullptr;
    switch (row.kind) {
    case Kind::Button:
        w = new Toolkit::Button;
        w->setFocusPolicy(Qt::ClickFocus);
        break;
    case Kind::ListBox: {
        const int columns = name == QLatin1String("lbHistory") ? 4 : 5;
        auto *l = new Toolkit::ListBox(columns);
        QStringList headers;
        for (int i = 0; i < columns; ++i)
            headers << QLatin1String(kHeaders5[i]);
        l->setHeaders(headers);
        l->setColumnWidths(QStringLiteral("50,*,55,60,*"));
        // Entry numbers are the chronology: 2 comes before 10.
        l->setNumericSortColumns({0});
        l->setFocusPolicy(Qt::ClickFocus);
        // Tab leaves the list for the next tab stop instead of moving between its cells.
        l->setTabKeyNavigation(false);
        w = l;
        break;
    }
    case Kind::TextField:
        w = new Toolkit::TextField;
        w->setFocusPolicy(Qt::ClickFocus);
        break;
    case Kind::Label:
        w = new Toolkit::Label;
        break;
    case Kind::Rectangle:
        w = new Toolkit::Rectangle;
        break;
    }
    w->setObjectName(name);
    return w;
}

void ApplyLooks(QWidget *w)
{
    const QByteArray name = w->objectName().toLatin1();
    const ControlLooks *looks = BrowserLayouts::LooksOf(name.constData());
    if (!looks)
        return;
    if (looks->helpButton) {
        if (auto *b = qobject_cast<Toolkit::Button *>(w))
            b->setButtonStyle(Toolkit::Button::HelpStyle);
    }
    if (looks->text)
        applyText(w, QString::fromUtf8(looks->text));
    if (looks->alignment)
        applyAlignment(w, looks->alignment);
    applyFont(w, looks->font);
    if (auto *r = qobject_cast<Toolkit::Rectangle *>(w)) {
        if (looks->background != BrowserLayouts::kNoColor)
            r->FillColor = colorOf(looks->background);
        if (looks->border != BrowserLayouts::kNoColor)
            r->BorderColor = colorOf(looks->border);
        r->BorderThickness = looks->borderThickness;
        r->CornerSize = looks->cornerSize;
    } else {
        if (looks->textColor != BrowserLayouts::kNoColor)
            Toolkit::setFixedTextColor(w, colorOf(looks->textColor));
        if (looks->background != BrowserLayouts::kNoColor)
            Toolkit::setFixedBackgroundColor(w, colorOf(looks->background));
    }
    if (looks->tooltip)
        w->setToolTip(QString::fromUtf8(looks->tooltip));
    if (looks->accessibleName) {
        const QString accessibleName = QString::fromUtf8(looks->accessibleName);
        w->setAccessibleName(accessibleName);
        if (looks->announcesValue) {
            w->setProperty(kAccessibleRole, accessibleName);
            // Nothing shown yet but the starting marker, which would be read as "star" or "dot".
            w->setAccessibleName(accessibleName + QStringLiteral(": ") + kNoneYet);
        }
    }
    if (looks->accessibleDescription)
        w->setAccessibleDescription(QString::fromUtf8(looks->accessibleDescription));
}

void SetResultLabel(Toolkit::Label *label, const QString &value)
{
    label->setTextValue(value);
    setAnnouncedName(label, spoken(label->property(kAccessibleRole).toString(), value));
}

void SetSelectionLine(Toolkit::TextField *line, const QString &text)
{
    line->setTextValue(text);
    // The line's own text is read as its value; the name only tells that nothing is selected.
    const QString role = line->property(kAccessibleRole).toString();
    setAnnouncedName(line, text.isEmpty() ? spoken(role, text) : role);
}

void FitCountFont(QLabel *label)
{
    QFont f = label->font();
    f.setPixelSize(kCountPixelSize);
    const int room = label->contentsRect().width();
    while (f.pixelSize() > 10 && QFontMetrics(f).horizontalAdvance(label->text()) > room)
        f.setPixelSize(f.pixelSize() - 1);
    if (f != label->font())
        label->setFont(f);
}

} // namespace BrowserControls
