// The page setup window of the print manager. Created at start and kept hidden; its controls come
// later. Its window caption and the captions of its orientation, save and print controls are the
// print manager's texts, handed over each time the print manager is shown.
#pragma once

#include <QString>
#include <QWidget>

namespace orbisca {

struct PageSetupCaptions {
    QString window;
    QString portrait, landscape;
    QString save;
    QString print, printNow;
};

class PageSetupWindow : public QWidget {
    Q_OBJECT
public:
    explicit PageSetupWindow(QWidget* parent = nullptr);

    void setCaptions(const PageSetupCaptions& captions);
    const PageSetupCaptions& captions() const { return captions_; }

private:
    PageSetupCaptions captions_;
};

}  // namespace orbisca
