#pragma once
// The Info box: the program's name and version.

#include <QDialog>

class QLabel;

namespace ventaro::ui {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* eltern = nullptr);
    // Sets "Version ..." and shows the box modally.
    void Zeigen(const QString& programmVersion);
    QString VersionText() const;

private:
    QLabel* version_;
};

}  // namespace ventaro::ui
