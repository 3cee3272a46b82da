#pragma once

#include <QWidget>

#include "core/panels/diagnostics/PeekPoke.h"
#include "ui/app/ChildWindow.h"

class QLineEdit;

namespace zorvex {

// "Peek & Poke": sets the controller's address register, steps it, reads a byte, a word or
// characters there and writes a byte or a word. The boxes are sent exactly as typed.
class frmPeekPoke : public QWidget {
    Q_OBJECT
  public:
    explicit frmPeekPoke(CommandSink& sink, QWidget* parent = nullptr);

    QLineEdit& AddressBox() { return *address_; }
    QLineEdit& DataByteBox() { return *byte_; }
    QLineEdit& DataWordBox() { return *word_; }
    QLineEdit& DataCharBox() { return *char_; }

  private:
    PeekPokeCommands commands_;
    QLineEdit* address_;
    QLineEdit* byte_;
    QLineEdit* word_;
    QLineEdit* char_;
};

// The boxes answers fill; the window is created hidden when an answer comes first.
class PeekPokeWindowBoxes : public PeekPokeBoxes {
  public:
    explicit PeekPokeWindowBoxes(ChildWindow<frmPeekPoke>& window) : window_(window) {}
    void SetAddressBox(const std::string& text) override;
    void SetDataByteBox(const std::string& text) override;
    void SetDataWordBox(const std::string& text) override;
    void SetDataCharBox(const std::string& text) override;

  private:
    ChildWindow<frmPeekPoke>& window_;
};

}  // namespace zorvex
