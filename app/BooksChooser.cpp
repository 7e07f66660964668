#include "BooksChooser.h"

#include <QDir>
#include <QFile>

#include "DataDirectory.h"
#include "NewBooks.h"
#include "RecentBooks.h"
#include "Ui.h"

using Choice = FirstStartDialog::Choice;

namespace {

QString FolderCaption(Choice choice) {
  switch (choice) {
    case Choice::CreateNew:
      return QObject::tr("Choose a folder for the new books");
    case Choice::TrySample:
      return QObject::tr("Choose a folder for a copy of the sample books");
    default:
      return QObject::tr("Choose the folder of your books");
  }
}

QString Shown(const QString& folder) { return QDir::toNativeSeparators(folder); }

}  // namespace

std::optional<BooksChooser::Answer> BooksChooser::ParseAnswer(const QString& text) {
  const qsizetype colon = text.indexOf(QLatin1Char(':'));
  const QString kind = text.left(colon);
  const QString folder = text.mid(colon + 1);
  if (colon < 0 || folder.isEmpty()) return std::nullopt;
  if (kind == QLatin1String("open")) return Answer{Choice::OpenExisting, folder};
  if (kind == QLatin1String("new")) return Answer{Choice::CreateNew, folder};
  if (kind == QLatin1String("sample")) return Answer{Choice::TrySample, folder};
  return std::nullopt;
}

QString BooksChooser::MissingTablesMessage(const QString& folder) {
  return DataDirectory::MissingTablesMessage() + QStringLiteral("\r\n\r\n") + Shown(folder);
}

BooksChooser::BooksChooser(Ui& ui, xbase::FileSystem& fs, RecentBooks& recent, QString sampleFolder)
    : ui_(ui), fs_(fs), recent_(recent), sampleFolder_(std::move(sampleFolder)) {}

QString BooksChooser::startupBooks(const QString& requested, const QString& workingDirectory,
                                   const std::optional<Answer>& answer) {
  if (!requested.isEmpty()) return QDir(requested).absolutePath();
  if (holdsBooks(workingDirectory)) return workingDirectory;
  const QString last = recent_.last();
  if (!last.isEmpty() && holdsBooks(last)) return last;
  return firstStart(answer);
}

QString BooksChooser::chooseBooks(const QString& startFolder) {
  const QString folder = ui_.directory(FolderCaption(Choice::OpenExisting), startFolder);
  if (folder.isEmpty() || !acceptBooks(folder)) return QString();
  return QDir(folder).absolutePath();
}

bool BooksChooser::acceptBooks(const QString& folder) {
  if (holdsBooks(folder)) return true;
  ui_.message(Ui::Type::Information, Ui::Buttons::Ok, MissingTablesMessage(folder));
  return false;
}

QStringList BooksChooser::recentBooks() const { return recent_.folders(); }

QString BooksChooser::firstStart(std::optional<Answer> answer) {
  for (;;) {
    if (!answer) {
      FirstStartDialog question;
      if (ui_.showModal(question) != QDialog::Accepted) return QString();
      const QString folder = ui_.directory(FolderCaption(question.choice()), QDir::homePath());
      if (folder.isEmpty()) continue;
      answer = Answer{question.choice(), folder};
    }
    const QString books = carryOut(*answer);
    if (!books.isEmpty()) return books;
    answer.reset();
  }
}

QString BooksChooser::carryOut(const Answer& answer) {
  const QString folder = QDir(answer.folder).absolutePath();
  switch (answer.choice) {
    case Choice::CreateNew:
      return createNewBooks(folder);
    case Choice::TrySample:
      return copySampleBooks(folder);
    default:
      return acceptBooks(folder) ? folder : QString();
  }
}

QString BooksChooser::createNewBooks(const QString& folder) {
  std::string error = "the folder cannot be made";
  if (QDir().mkpath(folder) && NewBooks::Create(fs_, folder.toStdString(), &error)) return folder;
  ui_.message(Ui::Type::Warning, Ui::Buttons::Ok,
              QObject::tr("The new books could not be created in %1:\r\n%2")
                  .arg(Shown(folder), QString::fromStdString(error)));
  return QString();
}

QString BooksChooser::copySampleBooks(const QString& folder) {
  const auto tell = [&](const QString& text) {
    ui_.message(Ui::Type::Warning, Ui::Buttons::Ok, text);
    return QString();
  };
  if (!holdsBooks(sampleFolder_)) {
    return tell(QObject::tr("The sample books were not found in %1.").arg(Shown(sampleFolder_)));
  }
  if (!QDir().mkpath(folder) || NewBooks::AnyTablePresent(fs_, folder.toStdString())) {
    return tell(QObject::tr("The sample books cannot be copied to %1:\r\n"
                            "the folder cannot be made or already holds books.")
                    .arg(Shown(folder)));
  }
  for (const char* name : DataDirectory::kTableFiles) {
    const QString file = QString::fromLatin1(name);
    const QString copy = QDir(folder).filePath(file);
    // The copy is the user's to change, whatever the rights of the installed sample.
    if (!QFile::copy(QDir(sampleFolder_).filePath(file), copy) ||
        !QFile::setPermissions(
            copy, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther)) {
      return tell(QObject::tr("The sample books could not be copied to %1.").arg(Shown(folder)));
    }
  }
  return folder;
}

bool BooksChooser::holdsBooks(const QString& folder) {
  return DataDirectory::TablesPresent(fs_, folder.toStdString());
}
