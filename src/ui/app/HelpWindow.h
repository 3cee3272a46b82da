#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace zorvex {

// The tool's own help: the HTML manual shipped with the program, in a free-standing window.
class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    explicit HelpWindow(QWidget* parent = nullptr);
    bool Loaded() const { return loaded_; }
    QString Source() const;

  private:
    QTextBrowser* browser_;
    bool loaded_ = false;
};

// The manual's index page: "<exe dir>/../share/zorvex/help/index.html" in a build or an
// installation, or "<exe dir>/help/index.html" beside the program; empty when not found.
QString HelpIndexPath();

// Tries the legacy help viewers; true when one of them started.
bool StartLegacyHelpViewer();

}  // namespace zorvex
