#pragma once
// The controls the windows are built from, as thin Qt subclasses with the toolkit's names:
// Text, TextChanged, Pressed, colours, fonts. Each control is placed by left/top/width/height
// in points and anchored to window edges by the window (toolkit/Window.h).

#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

#include <functional>

namespace Toolkit {

// Applies fixed colours that do not follow the light or dark appearance.
void setFixedTextColor(QWidget *w, const QColor &color);
void setFixedBackgroundColor(QWidget *w, const QColor &color);

class TextField : public QLineEdit
{
    Q_OBJECT

public:
    explicit TextField(QWidget *parent = nullptr);

    QString Text() const { return text(); }
    // Writing a different text runs TextChanged before this returns; the same text runs nothing.
    void setTextValue(const QString &value) { setText(value); }
    // The same, as an edit of the user's: the field's undo history is kept, so the user can still
    // undo what they typed.
    void replaceTextAsEdit(const QString &value);

    // Undo (Ctrl+Z, Edit > Undo). While it runs, isUndoing() is true, so a handler that would
    // write the undone text back corrected can step further back instead.
    void Undo();
    bool isUndoing() const { return m_undoing > 0; }

    // Runs synchronously for every change of the text, typed or set by the program.
    std::function<void()> TextChanged;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    int m_undoing = 0;
};

class Label : public QLabel
{
    Q_OBJECT

public:
    explicit Label(QWidget *parent = nullptr);

    QString Text() const { return m_text; }
    void setTextValue(const QString &value);

private:
    QString m_text;
};

class TextArea : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit TextArea(QWidget *parent = nullptr);

    QString Text() const { return toPlainText(); }
    void setTextValue(const QString &value) { setPlainText(value); }
};

class Button : public QPushButton
{
    Q_OBJECT

public:
    enum Style {
        PushStyle = 0,
        HelpStyle = 9
    };

    explicit Button(QWidget *parent = nullptr);

    void setButtonStyle(Style style);
    Style buttonStyle() const { return m_style; }

    std::function<void()> Pressed;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Style m_style = PushStyle;
};

// A filled rectangle with a border and rounded corners (the window's divider line).
class Rectangle : public QWidget
{
    Q_OBJECT

public:
    explicit Rectangle(QWidget *parent = nullptr);

    QColor FillColor = Qt::gray;
    QColor BorderColor = Qt::black;
    int BorderThickness = 1;
    int CornerSize = 0;

protected:
    void paintEvent(QPaintEvent *event) override;
};

// Shows a picture as its backdrop.
class Canvas : public QWidget
{
    Q_OBJECT

public:
    explicit Canvas(QWidget *parent = nullptr);

    void setBackdrop(const QPixmap &picture);
    QPixmap Backdrop() const { return m_backdrop; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_backdrop;
};

} // namespace Toolkit
