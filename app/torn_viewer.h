#pragma once
// The program's main window. Threading: UI thread only.

#include <QMainWindow>

class TOrnViewer : public QMainWindow {
    Q_OBJECT
public:
    explicit TOrnViewer(QWidget* parent = nullptr);
    ~TOrnViewer() override;

protected:
    void closeEvent(QCloseEvent* event) override;
};
