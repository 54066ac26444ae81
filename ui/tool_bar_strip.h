#pragma once
// Holds one wide bar (the browser's tool bar) at its full height and scrolls
// it sideways once the window is narrower than the bar's most compact
// layout, so the window never has to outgrow a small screen for it. The
// scroll bar takes room below the bar only while it is needed.
// Threading: UI thread only.

#include <QScrollArea>

class tool_bar_strip : public QScrollArea {
    Q_OBJECT
public:
    tool_bar_strip(QWidget* bar, int bar_height, QWidget* parent = nullptr);

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;
    // True while the bar is wider than the strip (the scroll bar is shown).
    bool scrolling() const;
    // Width the strip lacks to show the whole bar (0 when it shows it).
    int missing_width() const;

Q_SIGNALS:
    // The bar's width needs changed (it shows other boxes).
    void bar_resized();

protected:
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* obj, QEvent* e) override;

private:
    void fit_height();
    int bar_height_;
};
