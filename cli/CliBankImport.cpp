#include "CliBankImport.h"

#include "BankImporter.h"
#include "BankTables.h"
#include "BatchPrompts.h"
#include "StatementFile.h"

namespace {

QString describe(const PlannedLine& planned) {
  const StatementLine& line = planned.line;
  QString target = KindText(planned.kind).toLower();
  if (planned.kind != EntryKind::Ignore)
    target += QStringLiteral(" account %1 folder %2").arg(planned.account).arg(planned.folder);
  return QStringLiteral("line %1: %2 %3 %4 -> %5 (%6)")
      .arg(line.fileLine)
      .arg(line.date.toString(Qt::ISODate))
      .arg(line.amount, 0, 'f', 2)
      .arg(line.description, target, StatusText(planned.status()));
}

}  // namespace

int CliBankImport::Run(const CliOptions& options) {
  std::optional<CsvProfile> profile;
  if (!options.profile.isEmpty()) {
    profile = BankTables::FindProfile(db_, options.profile);
    if (!profile) throw UsageError(QStringLiteral("no profile '%1'").arg(options.profile));
  }
  const DateOrder order = options.dateOrder == QLatin1String("dmy")   ? DateOrder::DayFirst
                          : options.dateOrder == QLatin1String("mdy") ? DateOrder::MonthFirst
                                                                      : DateOrder::Unknown;
  const StatementFile::Result read = StatementFile::Read(options.path, profile, order);
  if (!read.ok) {
    ui_.Tell(
        read.message +
        (read.datesAmbiguous ? QStringLiteral(" Give --dates dmy or --dates mdy.") : QString()) +
        QStringLiteral("\r\nNothing was imported."));
    return kExitFailed;
  }
  BankImporter importer(db_, progress_, clock_);
  ImportPlan plan = importer.Plan(read.statement, BankTables::LoadRules(db_));
  int unmatched = 0;
  for (PlannedLine& line : plan.lines) {
    if (line.rule >= 0 || line.inBooks) continue;
    ++unmatched;
    if (options.unmatchedAccount) {
      line.account = *options.unmatchedAccount;
      line.folder = *options.unmatchedFolder;
    } else {
      line.skip = true;
      if (!options.dryRun) out_ << ("no rule matches " + describe(line) + "\n").toStdString();
    }
  }
  int toImport = 0;
  for (const PlannedLine& line : plan.lines) {
    toImport += line.toImport() ? 1 : 0;
    if (options.dryRun) out_ << (describe(line) + "\n").toStdString();
  }
  if (toImport == 0) {
    ui_.Tell(QStringLiteral("Nothing to import: of %1 line(s) %2 no rule matches and the rest "
                            "are in the books already or ignored.")
                 .arg(plan.lines.size())
                 .arg(unmatched));
    return kExitFailed;
  }
  if (options.dryRun) {
    const QString problem = importer.Check(plan);
    if (!problem.isEmpty()) {
      ui_.Tell(problem);
      return kExitFailed;
    }
    out_ << QStringLiteral("%1 line(s) would be imported; nothing was written.\n")
                .arg(toImport)
                .toStdString();
    return kExitOk;
  }
  const BankImporter::Result result = importer.Import(plan);
  if (!result.ok) {
    ui_.Tell(result.message);
    return kExitFailed;
  }
  out_ << (BankImporter::CompletionMessage(result) + "\n").toStdString();
  return kExitOk;
}
