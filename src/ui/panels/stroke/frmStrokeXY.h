#pragma once

#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>

#include "core/panels/stroke/StrokeAdjustment.h"
#include "ui/panels/stroke/Form2.h"

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace zorvex {

// "Stroke Adjustments": the technician's controls of the monitor's stroke processor. The
// widgets mirror StrokeAdjustment, which decides what each change sends; mirroring never
// raises a change of its own.
class frmStrokeXY : public QWidget, private StrokeView {
    Q_OBJECT
  public:
    // The size the window takes each time it opens, frame included.
    static constexpr double kOpeningWidthTwips = 6105;
    static constexpr double kOpeningHeightTwips = 6315;

    explicit frmStrokeXY(StrokeAdjustment& core, QWidget* parent = nullptr);
    ~frmStrokeXY() override;

    // Opens the window's values (asking the monitor for them) and gives the window, or its
    // child window frame, the opening size.
    void OpenWindow();

    // How the window tells the user something; a message box unless a test replaces it.
    using Messenger = std::function<void(const QString& text)>;
    void SetMessenger(Messenger messenger) { messenger_ = std::move(messenger); }

    Form2* ExplainingWindow() const { return form2_; }
    QSize sizeHint() const override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ShowStrokeValues() override;
    void Build();
    QWidget* BuildTestPattern();
    QWidget* BuildTurns();
    QWidget* BuildTestChannels();
    QWidget* BuildGainOffset();
    QWidget* BuildLineWidth();
    QWidget* BuildAverageOrder();
    QWidget* BuildZoom();
    QWidget* BuildTarget();
    QWidget* BuildHorizontalVertical();
    QWidget* BuildFilterFrame();
    QWidget* BuildEngineering();
    QWidget* BuildFrame1();
    QWidget* BuildMemoryAccess();

    QLineEdit* Box(StrokeText box, QWidget* parent);
    void ShowValidity(QLineEdit* edit, StrokeText box);
    QPushButton* Button(StrokeButton button, const char* caption, QWidget* parent);
    QRadioButton* Option(StrokeOptionGroup group, int index, const char* caption, QWidget* parent);
    QLabel* HelpLabel(int index, const char* caption, QWidget* parent);
    void ShowHelp(int index);
    void Tell(const QString& text);
    void WatchFrame();

    StrokeAdjustment& core_;
    Messenger messenger_;
    std::array<QLineEdit*, kStrokeTextCount> boxes_{};
    std::array<QScrollBar*, 3> bars_{};
    std::array<QLabel*, 3> barLabels_{};
    std::array<QCheckBox*, 2> turns_{};
    std::array<QButtonGroup*, 4> optionGroups_{};
    QRadioButton* rawBlank_ = nullptr;
    QPlainTextEdit* dumpList_ = nullptr;
    std::array<QLabel*, 5> helpLabels_{};
    QPointer<QWidget> frame_;
    QPointer<Form2> form2_;
    bool shown_ = false;
};

}  // namespace zorvex
