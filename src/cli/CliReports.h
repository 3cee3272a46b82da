#pragma once

#include <QByteArray>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "core/batch/MonitorJob.h"
#include "core/data/MonitorDataComparison.h"

namespace zorvex {

// What the command line prints, as bytes for standard output.
QByteArray IdentityText(const MonitorData& data, const std::string& device);
QByteArray IdentityJson(const MonitorData& data, const std::string& device);
QByteArray ComparisonText(const std::vector<MonitorDataDifference>& differences,
                          const std::string& pathA, const std::string& pathB);
QByteArray ComparisonJson(const std::vector<MonitorDataDifference>& differences,
                          const std::string& pathA, const std::string& pathB);

// A message on one line: line breaks of the core's message texts become blanks.
std::string OneLine(const std::string& text);

// The job's progress on standard error: a bar redrawn in place on a terminal, one line per
// step otherwise; the model and serial number once they are known.
class ProgressReporter : public MonitorJobView {
  public:
    ProgressReporter(std::FILE* out, bool terminal, bool showSteps,
                     std::function<void(JobExit, const std::string&)> finished)
        : out_(out), terminal_(terminal), showSteps_(showSteps), finished_(std::move(finished)) {}

    void Connected(const MonitorData& data) override;
    void StepSent(int step, const MonitorData& data) override;
    void Finished(JobExit exit, const std::string& message) override;

  private:
    std::FILE* out_;
    bool terminal_;
    bool showSteps_;
    bool identityShown_ = false;
    bool barShown_ = false;
    int lastShown_ = 0;  // step 0 goes twice after a restart; it is shown once
    std::function<void(JobExit, const std::string&)> finished_;
};

}  // namespace zorvex
