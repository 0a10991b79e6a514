#pragma once
// The splash window: ten text lines and a picture, for 2000 ms or until a key is pressed.
// Shown at start (before the editor) and by "About" (over the running program, not blocking).
#include <QWidget>
#include <array>

#include "ui/app/window_state.h"
#include "ui/lang/caption_table.h"

class QLabel;
class QStackedLayout;
class QTimer;

namespace mmx {

class SplashWindow final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShowMs = 2000;

    // The splash keeps its own copy of the texts: it reads them from the language file named in
    // the settings file, which may differ from what the editor shows until the next save.
    explicit SplashWindow(WindowState& state, QWidget* parent = nullptr);

    QLabel* Lb_Logo(int index) const { return labels_.at(static_cast<size_t>(index)); }
    // "mmx4210 2.3": the build's own version, whatever the language file's lines say.
    QLabel* versionLabel() const { return version_; }
    // 1 or 2: which picture is in front.
    int pictureInFront() const;
    // Puts the picture for the given pixels per inch in front (96: Image1, 120: Image2, any
    // other value leaves the order as it is).
    void showPictureFor(int dotsPerInch);

    // Reads the language settings and the splash texts (silent on any failure).
    void loadTexts();
    // Closes the window once; later calls do nothing.
    void finish();
    bool finished() const { return finished_; }

Q_SIGNALS:
    // The window closed, by the timer or a key.
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    WindowState& state_;
    CaptionTable captions_;
    std::array<QLabel*, 10> labels_{};
    QLabel* version_ = nullptr;
    QLabel* image1_ = nullptr;
    QLabel* image2_ = nullptr;
    QStackedLayout* pictures_ = nullptr;
    QTimer* timer1_ = nullptr;
    bool finished_ = false;
    bool activated_ = false;
};

// The splash picture drawn for a scale (1.0 for 96 pixels per inch, 1.25 for 120).
QPixmap splashPicture(double scale);

}  // namespace mmx
