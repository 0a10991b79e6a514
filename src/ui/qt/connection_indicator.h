#pragma once
// The connection indicator: a plug drawn apart (not connected) or joined (connected). It is
// both the display of the port state and the button that changes it.
#include <QAbstractButton>

namespace mmx {

class ConnectionIndicator final : public QAbstractButton {
    Q_OBJECT
public:
    explicit ConnectionIndicator(QWidget* parent = nullptr);

    // true: the connected picture is in front.
    void setConnected(bool connected);
    bool connected() const { return connected_; }
    // What the indicator says to a screen reader and in its tooltip, in each state.
    void setHelpTexts(const QString& notConnected, const QString& connected);

    QSize sizeHint() const override { return {96, 44}; }
    QSize minimumSizeHint() const override { return {72, 36}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void showHelpText();

    bool connected_ = false;
    QString notConnectedText_;
    QString connectedText_;
};

}  // namespace mmx
