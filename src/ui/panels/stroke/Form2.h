#pragma once

#include <QWidget>

namespace zorvex {

// "H width, H long explains": a free-standing window that shows, with a drawing and three
// texts, what the line-detection thresholds and the two deltas mean.
class Form2 : public QWidget {
    Q_OBJECT
  public:
    static constexpr double kWidthTwips = 7920;
    static constexpr double kHeightTwips = 6825;

    explicit Form2(QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace zorvex
