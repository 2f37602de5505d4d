#pragma once
// The about box: picture, name, version, description, credits, release date, rights notice
// and a home-page link in one small fixed-size modal window. Each text is filled by its
// control's Opening handler from the AboutBoxData the application hands in, so the box can
// be built and checked without the application object.

#include "about/AboutBoxData.h"
#include "toolkit/Window.h"

#include <QDate>
#include <QLocale>
#include <QPixmap>
#include <QString>

#include <functional>

class QWidget;
class StaticURL;

namespace Toolkit {
class Button;
class Canvas;
class Label;
class TextArea;
} // namespace Toolkit

namespace AboutBox {

// The date (UTC) of the build that made this binary, written into it by every build.
QDate BuildDate();
// "Release Date: " line body: `date` in the locale's medium style (abbreviated month, no time).
QString MediumDate(const QDate &date, const QLocale &locale = QLocale());
// The application picture "VantrelSmaller64"; loaded on first use and kept. A failed load
// returns a null pixmap and is retried on the next call.
QPixmap VantrelSmaller64();

// Test seam: how the picture is loaded by name (empty = from the compiled-in resources).
// Setting a loader forgets the kept picture. Returns the loader it replaced.
using PictureLoader = std::function<QPixmap(const QString &name)>;
PictureLoader setPictureLoaderForTests(PictureLoader loader);

} // namespace AboutBox

class winAboutBox : public Toolkit::ModalWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(winAboutBox)

public:
    // The about box that is open (or created and not yet closed), else a new one filled from
    // `data`. A box deletes itself when it closes, so the next call builds a fresh one.
    static winAboutBox *instance(const AboutBoxData &data);
    // The existing box, or nullptr; does not create one.
    static winAboutBox *existing();

    ~winAboutBox() override;

    // The controls, in creation (and tab) order.
    Toolkit::Canvas *Icon64() const { return m_Icon64; }
    Toolkit::Label *labName() const { return m_labName; }
    Toolkit::Label *labVersion() const { return m_labVersion; }
    Toolkit::Label *labDescription() const { return m_labDescription; }
    Toolkit::TextArea *taCredits() const { return m_taCredits; }
    Toolkit::Label *labCopyright() const { return m_labCopyright; }
    StaticURL *suHomePage() const { return m_suHomePage; }
    Toolkit::Label *labReleaseDate() const { return m_labReleaseDate; }
    Toolkit::Button *pbDone() const { return m_pbDone; }

    // Hides a control of a top-to-bottom stack: it and the controls created after it that lie
    // below it move up by the gap to the nearest of them, and the window gets that much
    // shorter. A hidden control is left alone; one with nothing below it is reported.
    void HideControl(QWidget *c);

    // Where comments and bug descriptions go (end of the credits text).
    static QString ContactAddress();

private:
    explicit winAboutBox(const AboutBoxData &data, QWidget *parent = nullptr);

    void labName_Opening();
    void labVersion_Opening();
    void labDescription_Opening();
    void taCredits_Opening();
    void labCopyright_Opening();
    void suHomePage_OpenStaticURL();
    void labReleaseDate_Opening();
    void pbDone_Pressed();

    AboutBoxData m_data;

    Toolkit::Canvas *m_Icon64 = nullptr;
    Toolkit::Label *m_labName = nullptr;
    Toolkit::Label *m_labVersion = nullptr;
    Toolkit::Label *m_labDescription = nullptr;
    Toolkit::TextArea *m_taCredits = nullptr;
    Toolkit::Label *m_labCopyright = nullptr;
    StaticURL *m_suHomePage = nullptr;
    Toolkit::Label *m_labReleaseDate = nullptr;
    Toolkit::Button *m_pbDone = nullptr;
};
