#pragma once
// The about box: a borderless rounded 595 × 285 window showing picture 203,
// the program icon and the product line in the current language, closed by
// its round button or Escape and dragged by its face. Modal, UI thread only.
#include "windowdragger.h"

#include <QDialog>

class CControlButton;

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* owner);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    CControlButton* m_closeButton = nullptr;
    WindowDragger m_dragger;
};
