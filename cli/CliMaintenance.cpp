#include "CliMaintenance.h"

#include "Archiver.h"
#include "BackupSet.h"
#include "BatchPrompts.h"
#include "Database.h"
#include "MasterTables.h"
#include "PaymentImporter.h"
#include "ProgressSink.h"

int CliMaintenance::Run(const CliOptions& options) {
  const QString& command = options.command;
  if (command == QLatin1String("reindex")) {
    const int rebuilt = db_.RebuildIndexes(RebuildMode::Full);
    out_ << QStringLiteral("Rebuilt the indexes of %1 tables.\n").arg(rebuilt).toStdString();
  } else if (command == QLatin1String("pack")) {
    const long removed = db_.PackAllTables();
    // A table that could not be packed ends the command here, named, with exit status 1.
    error4exitTest(db_.code(), db_.host());
    out_ << QStringLiteral("Packed the five indexed tables: %1 deleted records removed.\n")
                .arg(removed)
                .toStdString();
  } else if (command == QLatin1String("backup") || command == QLatin1String("restore")) {
    return copyDataFiles(command == QLatin1String("backup"), options.path);
  } else if (command == QLatin1String("import-payments")) {
    return importPayments(options);
  } else if (command == QLatin1String("archive") || command == QLatin1String("dearchive")) {
    return archive(options, command == QLatin1String("archive"));
  }
  progress_.ShowStatus(QString());
  return kExitOk;
}

int CliMaintenance::copyDataFiles(bool backup, const QString& directory) {
  BackupSet set(db_, ui_, progress_);
  const bool copied = set.CopyDataFiles(
      backup ? BackupSet::Direction::Backup : BackupSet::Direction::Restore, directory);
  progress_.ShowStatus(QString());
  if (backup) {
    if (!copied) {
      ui_.Tell(QStringLiteral("Backup Failed . . Check that disk is not write protected"));
      return kExitFailed;
    }
    out_ << QStringLiteral("Backed up %1 tables to %2.\n")
                .arg(set.Copied())
                .arg(directory)
                .toStdString();
    return kExitOk;
  }
  if (!copied) {
    // Nothing was replaced: the books and their indexes stay as they were.
    ui_.Tell(QStringLiteral("Restore Failed . . Check that your disk is not full."));
    return kExitFailed;
  }
  // Restored tables come without their indexes.
  db_.RebuildIndexes(RebuildMode::Full);
  progress_.ShowStatus(QString());
  out_ << QStringLiteral("Restored %1 tables from %2.\n")
              .arg(set.Copied())
              .arg(directory)
              .toStdString();
  return kExitOk;
}

int CliMaintenance::importPayments(const CliOptions& options) {
  PaymentImporter::Result imported;
  {
    struct CloseAll {
      CODE4* code;
      ~CloseAll() { code4close(code); }
    } closeAll{db_.code()};
    // The window program's import opens these three, in this order.
    db_.OpenInc();
    db_.OpenFolder();
    db_.OpenAccI();
    AccountTable& accounts = db_.accI();
    if (!MasterTables::seekLive(accounts.data, accounts.AccNo, *options.account)) {
      throw UsageError(QStringLiteral("income account %1 does not exist").arg(*options.account));
    }
    FolderTable& folders = db_.folder();
    if (!MasterTables::seekLive(folders.data, folders.FolNo, *options.folder)) {
      throw UsageError(QStringLiteral("folder %1 does not exist").arg(*options.folder));
    }
    PaymentImporter importer(db_, progress_);
    const ImportRequest request{options.path, *options.from, *options.to, *options.account,
                                *options.folder};
    const PaymentImporter::Result checked = importer.Check(request);
    if (!checked.ok) {
      ui_.Tell(checked.message);
      return kExitFailed;
    }
    imported = importer.Import();
  }
  // The replaced imports are packed away at once, as the window program does.
  if (imported.deleted > 0) db_.PackAllTables();
  progress_.ShowStatus(QString());
  if (!imported.ok) {
    ui_.Tell(imported.message);
    return kExitFailed;
  }
  out_ << QStringLiteral("%1 payments imported, %2 earlier imports replaced\n")
              .arg(imported.imported)
              .arg(imported.deleted)
              .toStdString();
  return kExitOk;
}

int CliMaintenance::archive(const CliOptions& options, bool archive) {
  Archiver archiver(db_, progress_);
  const bool done = archiver.Run({*options.from, *options.to, archive});
  progress_.ShowStatus(QString());
  if (!done) {
    ui_.Tell(
        QStringLiteral("The archive marks could not all be written: the disk may be full "
                       "or damaged.\r\nRecords after the failure are unchanged."));
    return kExitFailed;
  }
  out_ << QStringLiteral("%1 records %2.\n")
              .arg(archiver.Marked())
              .arg(archive ? QStringLiteral("archived") : QStringLiteral("de-archived"))
              .toStdString();
  return kExitOk;
}
