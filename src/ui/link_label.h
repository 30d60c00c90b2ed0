// A label that opens an address when clicked: blue until used, purple once
// opened, magenta while the pointer is over it, with a hand cursor and a
// tooltip that shows after a short delay.
#pragma once

#include <QColor>
#include <QLabel>
#include <QTimer>

class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(const QString& text = {}, QWidget* parent = nullptr);

    // The address to open; the tooltip shows tooltipText (the address when empty).
    void SetAddress(const QString& address, const QString& tooltipText = {});
    QString Address() const { return address_; }
    QString TooltipText() const { return tooltipText_; }
    void SetUnderline(bool underline);
    void SetBold(bool bold);
    // How long the pointer rests on the label before the tooltip shows.
    void SetTooltipDelay(int milliseconds) { tooltipTimer_.setInterval(milliseconds); }
    int TooltipDelay() const { return tooltipTimer_.interval(); }

    bool Over() const { return over_; }
    bool Visited() const { return visited_; }
    // The colour the text is drawn in now.
    QColor TextColor() const;

    static inline const QColor LinkColor{0, 0, 238};
    static inline const QColor VisitedColor{85, 26, 139};
    static inline const QColor HoverColor{255, 0, 255};

    // Opens the address through the link service, as a click does.
    void Open();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    QString address_;
    QString tooltipText_;
    bool over_ = false;
    bool visited_ = false;
    QTimer tooltipTimer_;

    void ApplyLook();
};
