#include "ui/panels/diagnostics/frmPeekPoke.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/panels/diagnostics/PeekPokeTexts.h"
#include "ui/app/QtText.h"
#include "ui/panels/ChildActivation.h"
#include "ui/panels/PanelWidgets.h"

namespace zorvex {

namespace t = peek_poke_texts;

namespace {

QLineEdit* MakeBox(QWidget* parent, const char* name, const char* initial) {
    auto* box = new QLineEdit(QString::fromLatin1(initial), parent);
    box->setObjectName(QString::fromLatin1(name));
    // Room for a word address or value with its "0x".
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0xFFFFFF")) + 12);
    return box;
}

QToolButton* MakeArrow(QWidget* parent, const char* name, Qt::ArrowType arrow) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setArrowType(arrow);
    return button;
}

}  // namespace

frmPeekPoke::frmPeekPoke(CommandSink& sink, QWidget* parent) : QWidget(parent), commands_(sink) {
    setObjectName(QStringLiteral("frmPeekPoke"));
    setWindowTitle(QString::fromLatin1(t::Caption));

    auto* grid = new QGridLayout;
    // Address row.
    grid->addWidget(MakeCaptionLabel(this, "AddressLabel", t::AddressLabel), 0, 0);
    address_ = MakeBox(this, "AddressBox", t::AddressInitial);
    grid->addWidget(address_, 0, 1);
    QPushButton* setAddress = MakeButton(this, "brnWriteAddr", t::SetAddress, t::SetAddressTip);
    grid->addWidget(setAddress, 0, 2);
    QToolButton* up = MakeArrow(this, "btnAddrUp", Qt::UpArrow);
    QToolButton* down = MakeArrow(this, "btnAddrDown", Qt::DownArrow);
    auto* arrows = new QHBoxLayout;
    arrows->setSpacing(2);
    arrows->addWidget(up);
    arrows->addWidget(down);
    grid->addLayout(arrows, 0, 3);
    // Byte row.
    grid->addWidget(MakeCaptionLabel(this, "DataByteLabel", t::DataByteLabel), 1, 0);
    byte_ = MakeBox(this, "DataByteBox", t::DataByteInitial);
    grid->addWidget(byte_, 1, 1);
    QPushButton* readByte = MakeButton(this, "btnReadByte", t::Read);
    grid->addWidget(readByte, 1, 2);
    QPushButton* writeByte = MakeButton(this, "DataByteWriteButton", t::Write);
    grid->addWidget(writeByte, 1, 3);
    // Word row.
    grid->addWidget(MakeCaptionLabel(this, "DataWordLabel", t::DataWordLabel), 2, 0);
    word_ = MakeBox(this, "DataWordBox", t::DataWordInitial);
    grid->addWidget(word_, 2, 1);
    QPushButton* readWord = MakeButton(this, "btnReadWord", t::Read);
    grid->addWidget(readWord, 2, 2);
    QPushButton* writeWord = MakeButton(this, "DataWordWriteButton", t::Write);
    grid->addWidget(writeWord, 2, 3);
    // Characters row.
    grid->addWidget(MakeCaptionLabel(this, "lblDataChar", t::DataCharLabel), 3, 0);
    char_ = MakeBox(this, "txtDataChar", "");
    grid->addWidget(char_, 3, 1);
    QPushButton* readChar = MakeButton(this, "btnReadChar", t::Read);
    grid->addWidget(readChar, 3, 2);
    grid->setColumnStretch(1, 1);

    QPushButton* ok = MakeButton(this, "btnOK", t::Ok, t::OkTip);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);

    auto* column = new QVBoxLayout(this);
    column->addLayout(grid);
    column->addStretch();
    column->addLayout(buttons);

    connect(setAddress, &QPushButton::clicked, this,
            [this] { commands_.SetAddress(ToBytes(address_->text())); });
    // Enter in the address box goes to that address and reads the byte there.
    connect(address_, &QLineEdit::returnPressed, this, [this] {
        commands_.SetAddress(ToBytes(address_->text()));
        commands_.ReadByte();
    });
    connect(up, &QToolButton::clicked, this, [this] { commands_.AddressUp(); });
    connect(down, &QToolButton::clicked, this, [this] { commands_.AddressDown(); });
    connect(readByte, &QPushButton::clicked, this, [this] { commands_.ReadByte(); });
    connect(readWord, &QPushButton::clicked, this, [this] { commands_.ReadWord(); });
    connect(readChar, &QPushButton::clicked, this, [this] { commands_.ReadChar(); });
    connect(writeByte, &QPushButton::clicked, this,
            [this] { commands_.WriteByte(ToBytes(byte_->text())); });
    connect(writeWord, &QPushButton::clicked, this,
            [this] { commands_.WriteWord(ToBytes(word_->text())); });
    connect(ok, &QPushButton::clicked, this, [this] { HideChildWindow(*this); });

    // Nothing is asked on activation; the helper keeps the window unclipped.
    new ChildActivation(*this, [] {});
}

void PeekPokeWindowBoxes::SetAddressBox(const std::string& text) {
    window_.Get().AddressBox().setText(FromBytes(text));
}
void PeekPokeWindowBoxes::SetDataByteBox(const std::string& text) {
    window_.Get().DataByteBox().setText(FromBytes(text));
}
void PeekPokeWindowBoxes::SetDataWordBox(const std::string& text) {
    window_.Get().DataWordBox().setText(FromBytes(text));
}
void PeekPokeWindowBoxes::SetDataCharBox(const std::string& text) {
    window_.Get().DataCharBox().setText(FromBytes(text));
}

}  // namespace zorvex
