#include "CliApp.h"

#include <QDir>
#include <QFileInfo>

#include "BatchPrompts.h"
#include "CliArguments.h"
#include "CliBankImport.h"
#include "CliCheck.h"
#include "CliMaintenance.h"
#include "CliReport.h"
#include "DataDirectory.h"
#include "Database.h"
#include "StartupRecovery.h"
#include "TerminalProgress.h"

namespace {

// The paths the command names, checked before anything is opened.
void checkPaths(const CliOptions& options) {
  if (!QFileInfo(options.dataDirectory).isDir()) {
    throw UsageError(QStringLiteral("--data: '%1' is no directory").arg(options.dataDirectory));
  }
  const QString& command = options.command;
  if ((command == QLatin1String("backup") || command == QLatin1String("restore")) &&
      !QFileInfo(options.path).isDir()) {
    throw UsageError(QStringLiteral("%1: '%2' is no directory").arg(command, options.path));
  }
  if ((command == QLatin1String("import-payments") || command == QLatin1String("import-bank")) &&
      !QFileInfo(options.path).isFile()) {
    throw UsageError(QStringLiteral("%1: no file '%2'").arg(command, options.path));
  }
  if (command == QLatin1String("report") && !options.output.isEmpty()) {
    const QFileInfo output(options.output);
    if (!output.absoluteDir().exists() || output.isDir()) {
      throw UsageError(QStringLiteral("--output: cannot write '%1'").arg(options.output));
    }
  }
}

}  // namespace

int CliApp::Run(const QStringList& arguments) {
  BatchPrompts ui(err_);
  try {
    CliOptions options = CliArguments::Parse(arguments);
    if (options.help) {
      out_ << CliArguments::Help(options.command).toStdString() << std::flush;
      return kExitOk;
    }
    checkPaths(options);
    // The tables are reached from the data directory; the paths named stay as the user
    // meant them, from the current directory.
    if (!options.path.isEmpty() && options.command != QLatin1String("report")) {
      options.path = QFileInfo(options.path).absoluteFilePath();
    }
    const std::string directory = QFileInfo(options.dataDirectory).absoluteFilePath().toStdString();
    xbase::FileSystem& fs = xbase::FileSystem::posix();
    if (!DataDirectory::TablesPresent(fs, directory)) {
      ui.Tell(DataDirectory::MissingTablesMessage());
      return kExitFailed;
    }
    bool heldByAnother = false;
    const auto lock = DataDirectory::Lock(directory, &heldByAnother);
    if (!lock) {
      // Without the lock another writer could run at once; a directory that takes no lock
      // file is read-only for us.
      ui.Tell(heldByAnother ? DataDirectory::LockedMessage()
                            : DataDirectory::ReadOnlyMessage(directory));
      return kExitFailed;
    }

    if (options.command == QLatin1String("check")) {
      return CliCheck(fs, directory, out_, err_).Run(options.repair);
    }
    TerminalProgress progress(err_, terminal_);
    int status = kExitOk;
    const bool report = options.command == QLatin1String("report");
    try {
      Database db(directory, ui, progress, clock_, fs);
      const auto session =
          report ? DataDirectory::Session::Reading : DataDirectory::Session::Writing;
      for (const QString& line : DataDirectory::OpenBooks(db, fs, directory, session))
        ui.Tell(line);
      if (report) {
        status = CliReport(db, ui, progress, out_).Run(options, clock_.today());
      } else if (options.command == QLatin1String("import-bank")) {
        status = CliBankImport(db, ui, progress, out_, clock_).Run(options);
      } else {
        status = CliMaintenance(db, ui, progress, out_).Run(options);
      }
    } catch (const UsageError&) {
      // A value refused against the books (a folder that does not exist) changed nothing.
      StartupRecovery::EndSession(fs, directory);
      throw;
    } catch (const BatchEnd&) {
      // An error of the books ended the run, saying they will be checked at the next start:
      // a report, which only reads, has no marker to leave for that until now.
      if (report) StartupRecovery::MarkSession(fs, directory);
      throw;
    }
    // The books were closed, and so put on disk, when db went.
    StartupRecovery::EndSession(fs, directory);
    return status;
  } catch (const UsageError& error) {
    err_ << "tallyworth-cli: " << error.what() << '\n' << std::flush;
    return kExitUsage;
  } catch (const BatchEnd& end) {
    return end.status;
  }
}
