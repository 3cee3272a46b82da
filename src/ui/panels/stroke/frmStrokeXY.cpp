#include "ui/panels/stroke/frmStrokeXY.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>

#include "core/app/DisplayConfiguration.h"
#include "core/panels/stroke/StrokeHelpTexts.h"
#include "ui/app/QtText.h"
#include "ui/app/Twips.h"
#include "ui/panels/stroke/Form2.h"

namespace zorvex {

namespace {

using C = StrokeButton;
using T = StrokeText;
using G = StrokeOptionGroup;

constexpr int kGap = 4;

int Slot(StrokeBar bar) {
    return static_cast<int>(bar);
}
int Slot(G group) {
    return static_cast<int>(group);
}
int Slot(T box) {
    return static_cast<int>(box);
}

QString Name(std::string_view name) {
    return FromBytes(name);
}

// Texts break lines with "\r\n"; the widgets want "\n" alone.
QString Lines(const std::string& text) {
    return FromBytes(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QGroupBox* Group(QWidget* parent, const char* name, const char* caption) {
    auto* group = new QGroupBox(QString::fromLatin1(caption), parent);
    group->setObjectName(QString::fromLatin1(name));
    return group;
}

QGridLayout* Grid(QWidget* owner) {
    auto* grid = new QGridLayout(owner);
    grid->setContentsMargins(4, 2, 4, 4);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    return grid;
}

QLabel* Caption(QWidget* parent, const char* text, const char* name = nullptr) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    if (name != nullptr) {
        label->setObjectName(QString::fromLatin1(name));
    }
    return label;
}

QLabel* BlueCaption(QWidget* parent, const char* text, const char* name) {
    QLabel* label = Caption(parent, text, name);
    label->setStyleSheet(QStringLiteral("color: blue;"));
    return label;
}

// Lays groups out top to bottom from a corner; gives the corner below the last one.
class Column {
  public:
    Column(int x, int y) : x_(x), y_(y) {}
    void Add(QWidget* widget) {
        widget->adjustSize();
        widget->move(x_, y_);
        y_ += widget->height() + kGap;
        right_ = std::max(right_, x_ + widget->width());
    }
    int Bottom() const { return y_; }
    int Right() const { return right_; }

  private:
    int x_;
    int y_;
    int right_ = 0;
};

}  // namespace

frmStrokeXY::frmStrokeXY(StrokeAdjustment& core, QWidget* parent) : QWidget(parent), core_(core) {
    setObjectName(QStringLiteral("frmStrokeXY"));
    setWindowTitle(QStringLiteral("Stroke Adjustments"));
    // The window packs many controls into its opening area, as the tool always has.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    Build();
    installEventFilter(this);
    core_.SetView(this);
    ShowStrokeValues();
}

frmStrokeXY::~frmStrokeXY() {
    core_.SetView(nullptr);
    delete form2_;
}

QSize frmStrokeXY::sizeHint() const {
    return QSize(TwipsToPixels(kOpeningWidthTwips, LogicalDpiX(this)),
                 TwipsToPixels(kOpeningHeightTwips, LogicalDpiY(this)));
}

void frmStrokeXY::OpenWindow() {
    WatchFrame();
    const bool wasOpen = core_.IsOpen();
    const bool visible = frame_ ? frame_->isVisible() : isVisible();
    core_.Open();
    if (!wasOpen || !visible) {
        const QSize size = sizeHint();
        if (frame_) {
            frame_->resize(size);
        } else {
            resize(size);
        }
    }
}

void frmStrokeXY::WatchFrame() {
    auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (frame != nullptr && frame != frame_) {
        frame_ = frame;
        frame->installEventFilter(this);
    }
}

bool frmStrokeXY::eventFilter(QObject* watched, QEvent* event) {
    if (watched == this && event->type() == QEvent::ParentChange) {
        WatchFrame();
    }
    // Closing the window (its frame, or the window itself when it has none) discards its
    // values and stops the dump.
    // A window merely created hidden has not been closed.
    const bool ownWindow = watched == (frame_ ? static_cast<QObject*>(frame_) : this);
    if (ownWindow && event->type() == QEvent::Show) {
        shown_ = true;
    } else if (ownWindow && shown_ && event->type() == QEvent::Hide && !event->spontaneous()) {
        // The frame also hides for a moment while it is maximised or restored; only a window
        // still hidden once the event loop has settled was closed.
        QTimer::singleShot(0, this, [this] {
            const bool visible = frame_ ? frame_->isVisible() : isVisible();
            if (shown_ && !visible) {
                shown_ = false;
                core_.Close();
            }
        });
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        for (int i = 0; i < static_cast<int>(helpLabels_.size()); ++i) {
            if (watched == helpLabels_[i]) {
                ShowHelp(i);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmStrokeXY::Tell(const QString& text) {
    if (messenger_) {
        messenger_(text);
        return;
    }
    QMessageBox::information(this, FromBytes(BuiltApplicationTitle()), text, QMessageBox::Ok);
}

void frmStrokeXY::ShowHelp(int index) {
    if (index == 4) {
        if (!form2_) {
            form2_ = new Form2;
        }
        form2_->show();
        form2_->raise();
        return;
    }
    Tell(Lines(StrokeHelpText(index)));
}

QLineEdit* frmStrokeXY::Box(StrokeText box, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(Name(StrokeTextName(box)));
    const int chars = std::max<int>(4, static_cast<int>(StrokeTextInitial(box).size()) + 1);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QString(chars, QLatin1Char('0'))) +
                        10);
    boxes_[Slot(box)] = edit;
    connect(edit, &QLineEdit::textEdited, this,
            [this, box](const QString& text) { core_.SetText(box, ToBytes(text)); });
    return edit;
}

// A box that writes nothing because of what it holds says so, with the range it takes.
void frmStrokeXY::ShowValidity(QLineEdit* edit, StrokeText box) {
    const bool invalid = core_.TextInvalid(box);
    if (edit == nullptr || edit->property("invalid").toBool() == invalid) {
        return;
    }
    edit->setProperty("invalid", invalid);
    edit->setStyleSheet(invalid ? QStringLiteral("background: #ffc8c8;") : QString());
    const auto range = StrokeTextLimits(box);
    edit->setToolTip(invalid && range ? QStringLiteral("Not written: enter a whole number from %1 "
                                                       "to %2")
                                            .arg(range->min)
                                            .arg(range->max)
                                      : QString());
}

QPushButton* frmStrokeXY::Button(StrokeButton button, const char* caption, QWidget* parent) {
    auto* push = new QPushButton(QString::fromLatin1(caption), parent);
    push->setObjectName(Name(StrokeButtonName(button)));
    push->setAutoDefault(false);
    push->setStyleSheet(QStringLiteral("padding: 1px 6px;"));
    connect(push, &QPushButton::clicked, this, [this, button] {
        if (core_.Press(button) == StrokeNotice::EnableAutoPingFirst) {
            Tell(FromBytes(kEnableAutoPingFirstText));
        }
    });
    return push;
}

QRadioButton* frmStrokeXY::Option(StrokeOptionGroup group, int index, const char* caption,
                                  QWidget* parent) {
    QButtonGroup*& buttons = optionGroups_[Slot(group)];
    if (buttons == nullptr) {
        buttons = new QButtonGroup(this);
        connect(buttons, &QButtonGroup::idClicked, this,
                [this, group](int id) { core_.SelectOption(group, id); });
    }
    static constexpr const char* kNames[] = {"OptTestPattern", "Option3", "Option1", "Option4"};
    auto* radio = new QRadioButton(QString::fromLatin1(caption), parent);
    radio->setObjectName(
        QStringLiteral("%1(%2)").arg(QLatin1String(kNames[Slot(group)])).arg(index));
    buttons->addButton(radio, index);
    return radio;
}

QLabel* frmStrokeXY::HelpLabel(int index, const char* caption, QWidget* parent) {
    QLabel* label = Caption(parent, caption);
    label->setObjectName(QStringLiteral("Label12(%1)").arg(index));
    label->setStyleSheet(QStringLiteral("color: palette(highlight); text-decoration: underline;"));
    label->setCursor(Qt::PointingHandCursor);
    label->installEventFilter(this);
    helpLabels_[index] = label;
    return label;
}

void frmStrokeXY::Build() {
    // The opening area: two columns that fill the window's opening size.
    Column left(kGap, kGap);
    left.Add(BuildGainOffset());
    left.Add(BuildAverageOrder());
    left.Add(BuildZoom());
    left.Add(BuildTestChannels());
    QPushButton* load = Button(C::Command7, "Load Saved Data", this);
    left.Add(load);
    Column right(left.Right() + kGap, kGap);
    right.Add(BuildTestPattern());
    right.Add(BuildTurns());
    right.Add(BuildLineWidth());

    // Beyond it, to the right and below, the rest comes into view as the window grows.
    const QSize opening = sizeHint();
    Column beyond(std::max(opening.width(), right.Right()) + 2 * kGap, kGap);
    beyond.Add(BuildTarget());
    beyond.Add(BuildHorizontalVertical());
    beyond.Add(BuildFilterFrame());
    const int below = std::max({opening.height(), left.Bottom(), right.Bottom()}) + 2 * kGap;
    Column engineering(kGap, below);
    engineering.Add(BuildEngineering());
    Column frame1(engineering.Right() + kGap, below);
    frame1.Add(BuildFrame1());
    Column memory(frame1.Right() + kGap, below);
    memory.Add(BuildMemoryAccess());
}

QWidget* frmStrokeXY::BuildTestPattern() {
    QGroupBox* group = Group(this, "fraTestPattern", "Test Pattern");
    QGridLayout* grid = Grid(group);
    grid->addWidget(Option(G::TestPattern, 0, "Test Pattern", group), 0, 0);
    grid->addWidget(Option(G::TestPattern, 2, "Green", group), 1, 0);
    grid->addWidget(Button(C::Command30_1, "Save", group), 2, 0, Qt::AlignLeft);
    return group;
}

QWidget* frmStrokeXY::BuildTurns() {
    QGroupBox* group = Group(this, "fraXYTurn", "X Y turn");
    QGridLayout* grid = Grid(group);
    const std::array<std::pair<const char*, const char*>, 2> turns{
        {{"ChkBox_xTurn", "X 180"}, {"ChkBox_yTurn", "Y 180"}}};
    const std::array<StrokeButton, 2> saves{C::Command30_2, C::Command30_3};
    for (int i = 0; i < 2; ++i) {
        auto* check = new QCheckBox(QString::fromLatin1(turns[i].second), group);
        check->setObjectName(QString::fromLatin1(turns[i].first));
        const auto turn = static_cast<StrokeTurn>(i);
        connect(check, &QCheckBox::clicked, this,
                [this, turn](bool checked) { core_.SetTurn(turn, checked); });
        turns_[i] = check;
        grid->addWidget(check, i, 0);
        grid->addWidget(Button(saves[i], "Save", group), i, 1);
    }
    return group;
}

QWidget* frmStrokeXY::BuildTestChannels() {
    QGroupBox* group = Group(this, "fraTestChannels", "Test Channels");
    QGridLayout* grid = Grid(group);
    grid->addWidget(Option(G::TestChannel, 0, "Normal", group), 0, 0);
    grid->addWidget(Option(G::TestChannel, 1, "Test X", group), 0, 1);
    grid->addWidget(Option(G::TestChannel, 2, "Test Y", group), 0, 2);
    grid->addWidget(Button(C::Command23_2, "Save", group), 0, 3);
    return group;
}

QWidget* frmStrokeXY::BuildGainOffset() {
    QGroupBox* group = Group(this, "fraGainOffset", "Gain/Offset");
    QGridLayout* grid = Grid(group);
    struct Row {
        StrokeBar bar;
        const char* caption;
        const char* barName;
        const char* labelName;
        StrokeButton save;
    };
    const std::array<Row, 3> rows{{
        {StrokeBar::Gain, "Gain", "HS_gain", "lbl_gain", C::Command30_4},
        {StrokeBar::XOffset, "X Offset", "HS_x_offset", "lbl_x_offset", C::Command30_9},
        {StrokeBar::YOffset, "Y Offset", "HS_y_offset", "lbl_y_offset", C::Command30_10},
    }};
    for (int i = 0; i < 3; ++i) {
        const Row& row = rows[i];
        grid->addWidget(Caption(group, row.caption), i, 0);
        auto* bar = new QScrollBar(Qt::Horizontal, group);
        bar->setObjectName(QString::fromLatin1(row.barName));
        const auto range = StrokeBarLimits(row.bar);
        bar->setRange(range.min, range.max);
        bar->setFixedWidth(100);
        if (row.bar == StrokeBar::Gain) {
            // 255 at the left end, 0 at the right end: mirrored as a whole, so the left arrow
            // and a click left of the thumb also move towards 255.
            bar->setLayoutDirection(Qt::RightToLeft);
            bar->setPageStep(20);
        } else {
            bar->setPageStep(10);
        }
        bar->setSingleStep(1);
        // A value counts once the thumb is released, not while it is dragged.
        bar->setTracking(false);
        const StrokeBar which = row.bar;
        connect(bar, &QScrollBar::valueChanged, this,
                [this, which](int value) { core_.SetBar(which, value); });
        bars_[Slot(row.bar)] = bar;
        grid->addWidget(bar, i, 1);
        auto* label = new QLabel(group);
        label->setObjectName(QString::fromLatin1(row.labelName));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("-255")) + 8);
        barLabels_[Slot(row.bar)] = label;
        grid->addWidget(label, i, 2);
        grid->addWidget(Button(row.save, "Save", group), i, 3);
    }
    return group;
}

QWidget* frmStrokeXY::BuildLineWidth() {
    QGroupBox* group = Group(this, "fraLineWidth", "line width");
    QGridLayout* grid = Grid(group);
    grid->addWidget(Option(G::LineType, 0, "Raw only", group), 0, 0);
    grid->addWidget(Option(G::LineType, 1, "Raw + Unblank", group), 1, 0);
    grid->addWidget(Option(G::LineType, 2, "filter, gap", group), 2, 0);
    grid->addWidget(Option(G::LineType, 3, "average", group), 3, 0);
    grid->addWidget(Option(G::LineType, 8, "Double Line", group), 4, 0);
    grid->addWidget(Button(C::Command30_17, "Save", group), 5, 0, Qt::AlignLeft);
    return group;
}

QWidget* frmStrokeXY::BuildAverageOrder() {
    QGroupBox* group = Group(this, "fraAverageOrder", "Average Order");
    QGridLayout* grid = Grid(group);
    auto* options = new QHBoxLayout;
    options->setSpacing(6);
    const std::array<const char*, 4> captions{"0", "2", "4", "8"};
    for (int i = 0; i < 4; ++i) {
        options->addWidget(Option(G::AverageOrder, i, captions[i], group));
    }
    options->addStretch();
    grid->addLayout(options, 0, 0, 1, 3);
    grid->addWidget(Button(C::Command30_0, "Save", group), 0, 3);
    grid->addWidget(Caption(group, "Filter:"), 1, 0);
    grid->addWidget(Box(T::Text5_0, group), 1, 1);
    grid->addWidget(Button(C::Command22_0, "Set", group), 1, 2);
    grid->addWidget(Button(C::Command30_14, "Save", group), 1, 3);
    grid->addWidget(Caption(group, "Limit delta:"), 2, 0);
    grid->addWidget(Box(T::Text5_1, group), 2, 1);
    grid->addWidget(Button(C::Command22_1, "Set", group), 2, 2);
    grid->addWidget(Button(C::Command30_18, "Save", group), 2, 3);
    return group;
}

QWidget* frmStrokeXY::BuildZoom() {
    QGroupBox* group = Group(this, "fraZoom", "Zoom");
    QGridLayout* grid = Grid(group);
    grid->addWidget(BlueCaption(group, "Area of Interest", "lblAreaOfInterest"), 0, 0, 1, 4);
    const std::array<const char*, 4> captions{"X start", "X end", "Y start", "Y end"};
    for (int i = 0; i < 4; ++i) {
        grid->addWidget(Caption(group, captions[i]), 1, i);
        grid->addWidget(Box(static_cast<T>(Slot(T::Text11_0) + i), group), 2, i);
    }
    grid->addWidget(Button(C::Command23_0, "Set", group), 1, 4);
    grid->addWidget(Button(C::Command23_1, "Save", group), 2, 4);
    return group;
}

QWidget* frmStrokeXY::BuildTarget() {
    auto* block = new QWidget(this);
    block->setObjectName(QStringLiteral("blkTarget"));
    QGridLayout* grid = Grid(block);
    grid->addWidget(BlueCaption(block, "Target", "lblTarget"), 0, 0, 1, 4);
    const std::array<const char*, 4> captions{"X start", "X end", "Y start", "Y end"};
    for (int i = 0; i < 4; ++i) {
        grid->addWidget(Caption(block, captions[i]), 1, i);
        grid->addWidget(Box(static_cast<T>(Slot(T::Text11_4) + i), block), 2, i);
    }
    return block;
}

QWidget* frmStrokeXY::BuildHorizontalVertical() {
    QGroupBox* group = Group(this, "fraHVConfigs", "Horizontal and Vertical Configs");
    QGridLayout* grid = Grid(group);
    struct Row {
        const char* first;
        const char* second;
        StrokeText firstBox;
        StrokeText secondBox;
        StrokeButton apply;
        StrokeButton save;
    };
    const std::array<Row, 5> rows{{
        {"H width", "H long", T::Text1_0, T::Text1_1, C::Command2, C::Command30_6},
        {"Short H width", "Short H Long", T::Text1_9, T::Text1_10, C::Command11, C::Command30_15},
        {"V width", "V long", T::Text1_2, T::Text1_3, C::Command3, C::Command30_7},
        {"Short V width", "Short V Long", T::Text1_11, T::Text1_12, C::Command12, C::Command30_16},
        {"Small Delta", "Big Delta", T::Text1_4, T::Text1_5, C::Command5, C::Command30_8},
    }};
    for (int i = 0; i < 5; ++i) {
        const Row& row = rows[i];
        grid->addWidget(Caption(group, row.first), i, 0);
        grid->addWidget(Box(row.firstBox, group), i, 1);
        grid->addWidget(Caption(group, row.second), i, 2);
        grid->addWidget(Box(row.secondBox, group), i, 3);
        grid->addWidget(Button(row.apply, "Apply", group), i, 4);
        grid->addWidget(Button(row.save, "Save", group), i, 5);
    }
    grid->addWidget(Caption(group, "All [0-255]", "lblAllRange"), 5, 0, 1, 2);
    grid->addWidget(Button(C::Command6, "Refresh", group), 5, 4);
    grid->addWidget(HelpLabel(4, "what are these?", group), 5, 2, 1, 2);
    return group;
}

QWidget* frmStrokeXY::BuildFilterFrame() {
    QGroupBox* group = Group(this, "fraFilterFrame", "Filter / Frame Control");
    QGridLayout* grid = Grid(group);
    struct Row {
        const char* caption;
        StrokeText box;
        const char* range;
        StrokeButton apply;
        StrokeButton save;
    };
    const std::array<Row, 4> rows{{
        {"Filter order", T::TxtFilterOrder, "[0-7]", C::Command4, C::Command30_11},
        {"Signal Averaging", T::Text1_13, "[0-4]", C::Command8, C::Command30_12},
        {"Frame Count", T::Text1_6, "[0-255]", C::Command9, C::Command30_13},
        {"Frame Averaging", T::Text1_14, "[0-255]", C::Command13, C::Command30_5},
    }};
    for (int i = 0; i < 4; ++i) {
        const Row& row = rows[i];
        grid->addWidget(Caption(group, row.caption), i, 0);
        grid->addWidget(Box(row.box, group), i, 1);
        grid->addWidget(Caption(group, row.range), i, 2);
        grid->addWidget(Button(row.apply, "Apply", group), i, 3);
        grid->addWidget(Button(row.save, "Save", group), i, 4);
        grid->addWidget(HelpLabel(i, "?", group), i, 5);
    }
    return group;
}

QWidget* frmStrokeXY::BuildEngineering() {
    auto* block = new QWidget(this);
    block->setObjectName(QStringLiteral("blkEngineering"));
    QGridLayout* grid = Grid(block);
    const std::array<const char*, 4> dcm{"DCM locked?", "DCM state", "DCM status", "DCM step"};
    for (int i = 0; i < 8; ++i) {
        grid->addWidget(
            Button(static_cast<C>(static_cast<int>(C::Command10_0) + i), dcm[i % 4], block), i % 4,
            i / 4 * 2, 1, 2);
    }
    int row = 4;
    grid->addWidget(Button(C::Command21, "reset dcm x", block), row, 0, 1, 2);
    grid->addWidget(Button(C::Command1_11, "Refresh", block), row++, 2, 1, 2);
    auto pair = [&](StrokeButton button, const char* caption, StrokeText box) {
        grid->addWidget(Button(button, caption, block), row, 0, 1, 2);
        grid->addWidget(Box(box, block), row++, 2);
    };
    pair(C::Command1_1, "phase shift X", T::Text2_1);
    pair(C::Command1_2, "phase shift Y", T::Text2_2);
    pair(C::Command15_0, "", T::Text3_0);
    pair(C::Command15_1, "", T::Text3_1);
    pair(C::Command16_0, "unblank off limit", T::Text6_0);
    pair(C::Command16_1, "unblank on limit", T::Text6_1);
    pair(C::Command22_3, "bright1", T::Text5_3);
    pair(C::Command22_2, "bright2", T::Text5_2);
    pair(C::Command19, "set H line", T::Text9);
    rawBlank_ = new QRadioButton(QStringLiteral("raw + blank"), block);
    rawBlank_->setObjectName(QStringLiteral("Option2(0)"));
    connect(rawBlank_, &QRadioButton::clicked, this, [this] { core_.SelectRawBlank(); });
    grid->addWidget(rawBlank_, row++, 0, 1, 2);
    grid->addWidget(Button(C::Command20_15, "Read Find_addr H", block), row, 0, 1, 2);
    grid->addWidget(Button(C::Command20_16, "Read Find_addr L", block), row++, 2, 1, 2);
    grid->addWidget(Button(C::Command20_17, "Read Find_data", block), row, 0, 1, 2);
    grid->addWidget(Button(C::Command20_18, "Next Data Set", block), row++, 2, 1, 2);
    return block;
}

QWidget* frmStrokeXY::BuildFrame1() {
    QGroupBox* group = Group(this, "Frame1", "Frame1");
    QGridLayout* grid = Grid(group);
    grid->addWidget(Button(C::Command14_0, "addr RamH", group), 0, 0);
    grid->addWidget(Box(T::Text4_0, group), 0, 1);
    grid->addWidget(Button(C::Command14_1, "data RamHD", group), 1, 0);
    grid->addWidget(Box(T::Text4_1, group), 1, 1);
    grid->addWidget(Button(C::Command18_0, "Set Ext mem access", group), 2, 0, 1, 3);
    grid->addWidget(Button(C::Command18_1, "Set Normal mem access", group), 3, 0, 1, 3);
    grid->addWidget(Button(C::Command20_0, "in_constant input", group), 4, 0);
    grid->addWidget(Box(T::Text10_0, group), 4, 1);
    grid->addWidget(Box(T::Text10_1, group), 4, 2);
    grid->addWidget(Button(C::Command20_4, "result constant", group), 5, 0);
    grid->addWidget(Button(C::Command20_13, "inconstant data", group), 6, 0);
    return group;
}

QWidget* frmStrokeXY::BuildMemoryAccess() {
    auto* block = new QWidget(this);
    block->setObjectName(QStringLiteral("blkMemoryAccess"));
    QGridLayout* grid = Grid(block);
    grid->addWidget(Caption(block, "cframe_control"), 0, 0);
    grid->addWidget(Box(T::Text7_6, block), 0, 1);
    const std::array<std::pair<const char*, const char*>, 3> modes{{
        {"M", "cframe_control = 0 ; write cframe_control = 1 ; read"},
        {"T", "cframe_control = 1 ; write cframe_control = 2 ; read"},
        {"S", "cframe_control = 2 ; write cframe_control = 0 ; read"},
    }};
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(Caption(block, modes[i].first), 1 + i, 0, Qt::AlignRight);
        grid->addWidget(Caption(block, modes[i].second), 1 + i, 1, 1, 4);
    }
    grid->addWidget(Caption(block, "HI"), 4, 1);
    grid->addWidget(Caption(block, "LOW"), 4, 2);
    const std::array<const char*, 3> rows{"r addr", "w addr", "w data"};
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(Caption(block, rows[i]), 5 + i, 0);
        grid->addWidget(Box(static_cast<T>(Slot(T::Text7_0) + 2 * i), block), 5 + i, 1);
        grid->addWidget(Box(static_cast<T>(Slot(T::Text7_0) + 2 * i + 1), block), 5 + i, 2);
    }
    grid->addWidget(Button(C::Command17_0, "read", block), 5, 3);
    grid->addWidget(Button(C::Command17_1, "write", block), 6, 3);
    grid->addWidget(Button(C::Command17_2, "start timer", block), 8, 0);
    grid->addWidget(Button(C::Command17_3, "end timer", block), 8, 1, 1, 2);
    grid->addWidget(Box(T::Text8, block), 8, 3);
    dumpList_ = new QPlainTextEdit(block);
    dumpList_->setObjectName(QStringLiteral("RichTextBox1"));
    dumpList_->setReadOnly(true);
    dumpList_->setFixedSize(220, 110);
    grid->addWidget(dumpList_, 9, 0, 1, 5);
    return block;
}

void frmStrokeXY::ShowStrokeValues() {
    for (int i = 0; i < kStrokeTextCount; ++i) {
        QLineEdit* edit = boxes_[i];
        const QString text = FromBytes(core_.Text(static_cast<T>(i)));
        if (edit != nullptr && edit->text() != text) {
            const QSignalBlocker quiet(edit);
            edit->setText(text);
        }
        ShowValidity(edit, static_cast<T>(i));
    }
    for (int i = 0; i < 3; ++i) {
        const auto bar = static_cast<StrokeBar>(i);
        if (bars_[i]->value() != core_.Bar(bar)) {
            const QSignalBlocker quiet(bars_[i]);
            bars_[i]->setValue(core_.Bar(bar));
        }
        barLabels_[i]->setText(FromBytes(core_.BarLabel(bar)));
    }
    for (int i = 0; i < 2; ++i) {
        const QSignalBlocker quiet(turns_[i]);
        turns_[i]->setChecked(core_.Turn(static_cast<StrokeTurn>(i)));
    }
    for (int i = 0; i < 4; ++i) {
        QButtonGroup* group = optionGroups_[i];
        const auto selected = core_.SelectedOption(static_cast<G>(i));
        const QSignalBlocker quiet(group);
        if (selected) {
            group->button(*selected)->setChecked(true);
        } else if (group->checkedButton() != nullptr) {
            // A group shows no choice again only with its exclusiveness lifted for a moment.
            group->setExclusive(false);
            group->checkedButton()->setChecked(false);
            group->setExclusive(true);
        }
    }
    {
        const QSignalBlocker quiet(rawBlank_);
        rawBlank_->setAutoExclusive(false);
        rawBlank_->setChecked(core_.RawBlankSelected());
        rawBlank_->setAutoExclusive(true);
    }
    const QString list = Lines(core_.DumpList());
    if (dumpList_->toPlainText() != list) {
        dumpList_->setPlainText(list);
        dumpList_->moveCursor(QTextCursor::End);
    }
}

}  // namespace zorvex
