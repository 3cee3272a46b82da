#include "cli/CliReports.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

namespace zorvex {

namespace {

QString Q(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

bool IsCrtFamily(const MonitorData& data) {
    return data.FirmwareVersionNumber >= 100 && data.FirmwareVersionNumber < 300;
}

std::string Padded(std::string text, std::size_t width) {
    text.resize(std::max(width, text.size()), ' ');
    return text;
}

QJsonValue Value(const MonitorDataDifference& d, const std::string& side) {
    if (d.kind == MonitorDataDifference::Kind::Cell) {
        return std::stoi(side);
    }
    return Q(side);
}

const char* KindName(MonitorDataDifference::Kind kind) {
    switch (kind) {
        case MonitorDataDifference::Kind::ScanSet:
            return "scanSet";
        case MonitorDataDifference::Kind::Cell:
            return "cell";
        case MonitorDataDifference::Kind::Record:
            break;
    }
    return "record";
}

}  // namespace

std::string OneLine(const std::string& text) {
    std::string out;
    for (char c : text) {
        c = (c == '\r' || c == '\n') ? ' ' : c;
        if (!(c == ' ' && !out.empty() && out.back() == ' ')) {
            out += c;
        }
    }
    return out;
}

QByteArray IdentityText(const MonitorData& data, const std::string& device) {
    std::vector<IdentityRecord> records = IdentityRecords(data, IsCrtFamily(data));
    records.insert(records.begin(), IdentityRecord{"Device", "device", device});
    std::size_t width = 0;
    for (const auto& r : records) {
        width = std::max(width, std::string(r.label).size());
    }
    std::string out;
    for (const auto& r : records) {
        out += Padded(r.label, width + 2) + r.value + "\n";
    }
    return QByteArray::fromStdString(out);
}

QByteArray IdentityJson(const MonitorData& data, const std::string& device) {
    QJsonObject object{{"device", Q(device)}};
    for (const auto& r : IdentityRecords(data, IsCrtFamily(data))) {
        const QLatin1String key(r.key);
        // The limits are numbers; everything else is the monitor's text.
        object.insert(key, key.startsWith(QLatin1String("hv")) ? QJsonValue(std::stoi(r.value))
                                                               : QJsonValue(Q(r.value)));
    }
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

QByteArray ComparisonText(const std::vector<MonitorDataDifference>& differences,
                          const std::string& pathA, const std::string& pathB) {
    if (differences.empty()) {
        return "no differences\n";
    }
    std::vector<std::array<std::string, 3>> rows{{"", "A: " + pathA, "B: " + pathB}};
    for (const auto& d : differences) {
        rows.push_back({DifferenceSubject(d), d.a, d.b});
    }
    std::array<std::size_t, 2> width{};
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < width.size(); ++c) {
            width[c] = std::max(width[c], row[c].size());
        }
    }
    std::string out;
    for (const auto& row : rows) {
        out += Padded(row[0], width[0] + 2) + Padded(row[1], width[1] + 2) + row[2];
        while (!out.empty() && out.back() == ' ') {
            out.pop_back();
        }
        out += "\n";
    }
    out += std::to_string(differences.size()) +
           (differences.size() == 1 ? " difference\n" : " differences\n");
    return QByteArray::fromStdString(out);
}

QByteArray ComparisonJson(const std::vector<MonitorDataDifference>& differences,
                          const std::string& pathA, const std::string& pathB) {
    QJsonArray list;
    for (const auto& d : differences) {
        QJsonObject entry{{"kind", KindName(d.kind)},
                          {"what", Q(DifferenceSubject(d))},
                          {"a", Value(d, d.a)},
                          {"b", Value(d, d.b)}};
        if (d.kind == MonitorDataDifference::Kind::Record) {
            entry.insert("record", Q(d.record));
        }
        if (d.scanSet >= 0) {
            entry.insert("scanSet", d.scanSet);
        }
        if (d.kind == MonitorDataDifference::Kind::Cell) {
            entry.insert("family", QString(QChar::fromLatin1(FamilyLetter(d.family))));
            entry.insert("slot", d.slot);
            entry.insert("name", Q(d.name));
            entry.insert("table", TableName(d.table));
        }
        list.append(entry);
    }
    QJsonObject object{
        {"a", Q(pathA)}, {"b", Q(pathB)}, {"equal", differences.empty()}, {"differences", list}};
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

void ProgressReporter::Connected(const MonitorData& data) {
    std::fprintf(out_, "The monitor answered (firmware %s).\n",
                 OneLine(data.FirmwareVersion).c_str());
}

void ProgressReporter::StepSent(int step, const MonitorData& data) {
    if (!showSteps_) {
        return;
    }
    const int done = step + 1;
    if (done <= lastShown_) {
        return;
    }
    lastShown_ = done;
    std::string identity;
    if (!data.ModelNumber.empty() && !data.SerialNumber.empty()) {
        const auto records = IdentityRecords(data, false);
        identity = "model " + records[0].value + ", serial " + records[1].value;
    }
    if (terminal_) {
        constexpr int Width = 30;
        const int filled = done * Width / UpdateAllDataSteps;
        std::fprintf(out_, "\r[%s%s] step %2d of %d  %s", std::string(filled, '#').c_str(),
                     std::string(Width - filled, '.').c_str(), done, UpdateAllDataSteps,
                     identity.c_str());
        barShown_ = true;
    } else {
        if (!identity.empty() && !identityShown_) {
            identityShown_ = true;
            std::fprintf(out_, "Monitor: %s\n", identity.c_str());
        }
        std::fprintf(out_, "step %d of %d\n", done, UpdateAllDataSteps);
    }
    std::fflush(out_);
}

void ProgressReporter::Finished(JobExit exit, const std::string& message) {
    if (barShown_) {
        std::fputs("\n", out_);
    }
    finished_(exit, message);
}

}  // namespace zorvex
