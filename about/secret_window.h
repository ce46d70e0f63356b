// The hidden credits window `secret`: the credits scroll up over a picture in an
// endless loop, like the closing titles of a film.
#pragma once

#include "about/credits.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace gravelock {

class AppContext;

class SecretWindow : public QWidget {
    Q_OBJECT
public:
    explicit SecretWindow(AppContext& context);

    // Controls, by their design names.
    QLabel* pict = nullptr;
    QLabel* lbl = nullptr;
    QPlainTextEdit* txt = nullptr;
    QPushButton* Command1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QTimer* Timer1 = nullptr;

    // One tick of Timer1: moves the credits up.
    void scrollCredits();

private:
    void buildControls();
    void load();
    void showCreditsText();
    void copyCredits();

    CreditsScroller scroller_;
};

} // namespace gravelock
