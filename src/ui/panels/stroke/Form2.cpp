#include "ui/panels/stroke/Form2.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QShowEvent>
#include <algorithm>

#include "core/panels/stroke/StrokeHelpTexts.h"
#include "ui/app/QtText.h"
#include "ui/app/Twips.h"

namespace zorvex {

namespace {

// One of the drawings: line shapes with their captions placed on top.
class Drawing : public QWidget {
  public:
    enum class Kind { Horizontal, Vertical, Deltas };
    Drawing(Kind kind, QWidget* parent) : QWidget(parent), kind_(kind) {
        setFixedSize(kind == Kind::Deltas ? QSize(220, 130) : QSize(220, 112));
        switch (kind_) {
            case Kind::Horizontal:
                Caption("lblHWidth", "H width", 150, 22);
                Caption("lblHLong", "H Long", 70, 78);
                break;
            case Kind::Vertical:
                Caption("lblVWidth", "V Width", 96, 4);
                Caption("lblVLong", "V Long", 110, 56);
                break;
            case Kind::Deltas:
                Caption("lblDeltas", "<Small Delta> and <Big Delta>", 0, 0);
                break;
        }
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing, false);
        QPen stroke(palette().color(QPalette::WindowText), 1);
        p.setPen(stroke);
        switch (kind_) {
            case Kind::Horizontal:
                // The stroke, then its height (H width) and its length (H Long).
                p.drawRect(10, 40, 130, 10);
                Dimension(p, QPoint(146, 40), QPoint(146, 50));
                Dimension(p, QPoint(10, 70), QPoint(140, 70));
                break;
            case Kind::Vertical:
                p.drawRect(80, 24, 10, 84);
                Dimension(p, QPoint(80, 18), QPoint(90, 18));
                Dimension(p, QPoint(100, 24), QPoint(100, 108));
                break;
            case Kind::Deltas:
                // A found line, a previous line within Small Delta, one within Big Delta.
                p.drawLine(10, 50, 170, 50);
                p.drawLine(10, 62, 170, 62);
                p.drawLine(10, 110, 170, 110);
                Dimension(p, QPoint(176, 50), QPoint(176, 62));
                Dimension(p, QPoint(184, 50), QPoint(184, 110));
                break;
        }
    }

  private:
    void Caption(const char* name, const char* text, int x, int y) {
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(name));
        // The captions are plain text: "<Small Delta>" is no markup.
        label->setTextFormat(Qt::PlainText);
        label->setText(QString::fromLatin1(text));
        label->adjustSize();
        label->move(x, y);
    }
    // A measuring line with short end marks.
    static void Dimension(QPainter& p, QPoint from, QPoint to) {
        p.drawLine(from, to);
        if (from.x() == to.x()) {
            p.drawLine(from.x() - 3, from.y(), from.x() + 3, from.y());
            p.drawLine(to.x() - 3, to.y(), to.x() + 3, to.y());
        } else {
            p.drawLine(from.x(), from.y() - 3, from.x(), from.y() + 3);
            p.drawLine(to.x(), to.y() - 3, to.x(), to.y() + 3);
        }
    }

    Kind kind_;
};

// The texts break lines with "\r\n"; a label wants "\n" alone.
QString Lines(const std::string& text) {
    return FromBytes(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QLabel* Explanation(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

}  // namespace

Form2::Form2(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(FromBytes(kForm2Caption));
    auto* grid = new QGridLayout(this);
    grid->addWidget(new Drawing(Drawing::Kind::Horizontal, this), 0, 0, Qt::AlignTop);
    grid->addWidget(Explanation("Text1", this), 0, 1);
    grid->addWidget(new Drawing(Drawing::Kind::Vertical, this), 1, 0, Qt::AlignTop);
    grid->addWidget(Explanation("Text2", this), 1, 1);
    grid->addWidget(new Drawing(Drawing::Kind::Deltas, this), 2, 0, Qt::AlignTop);
    grid->addWidget(Explanation("Text3", this), 2, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);
}

void Form2::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        findChild<QLabel*>(QStringLiteral("Text1"))->setText(Lines(Form2HorizontalText()));
        findChild<QLabel*>(QStringLiteral("Text2"))->setText(Lines(Form2VerticalText()));
        findChild<QLabel*>(QStringLiteral("Text3"))->setText(Lines(Form2DeltaText()));
        // The window's own size, frame included, as far as the platform lets it be set.
        const int width = TwipsToPixels(kWidthTwips, LogicalDpiX(this));
        int height = TwipsToPixels(kHeightTwips, LogicalDpiY(this));
        // Larger fonts wrap the texts into more lines: grow rather than cut them off.
        if (layout()->hasHeightForWidth()) {
            height = std::max(height, layout()->totalHeightForWidth(width));
        }
        resize(width, height);
    }
    QWidget::showEvent(event);
}

}  // namespace zorvex
