#include "TableAccess.h"

#include <QFileInfo>

#include "ProgramHost.h"
#include "TableText.h"
#include "VectorState.h"
#include "xbase/Status.h"

std::unique_ptr<CODE4> code4initP(const std::string& directory, xbase::FileSystem& fs) {
  return std::make_unique<CODE4>(fs, directory);
}

int code4initUndoP(std::unique_ptr<CODE4>& code) {
  const int rc = code ? code->closeAll() : xbase::kSuccess;
  code.reset();
  return rc;
}

void code4autoOpen(CODE4* code, int on) { code->autoOpen = on != 0; }
void code4safety(CODE4* code, int on) { code->safety = on != 0; }
void code4accessMode(CODE4* code, int exclusive) { code->exclusive = exclusive != 0; }
void code4errTagName(CODE4* code, int on) { code->errTagName = on != 0; }

int code4errorCode(CODE4* code, int newCode) {
  const int old = code->takeError();
  if (newCode != 0) code->setError(newCode);
  return old;
}

QString code4errorText(CODE4* code) {
  const int error = code->errorCode();
  const QString file = QFileInfo(QString::fromStdString(code->errorFile())).fileName();
  const QString cause = QString::fromLatin1(xbase::statusText(error));
  return file.isEmpty() ? cause : file + QStringLiteral(": ") + cause;
}

void error4exitTest(CODE4* code, ProgramHost& host) {
  const int error = code->errorCode();
  if (error >= 0) return;
  code4exit(code, host,
            QStringLiteral("Database error %1 in %2\r\n"
                           "The books will be checked when Tallyworth next starts.\r\n"
                           "Program will now terminate.")
                .arg(error)
                .arg(code4errorText(code)));
}

int code4close(CODE4* code) { return code->closeAll(); }

void code4exit(CODE4* code, ProgramHost& host, const QString& message) {
  code->closeAll();
  host.fatal(message);
}

DATA4* d4open(CODE4* code, const std::string& name) { return code->open(name); }
int d4close(CODE4* code, DATA4* data) { return code->close(data); }
FIELD4* d4field(DATA4* data, std::string_view name) { return data->field(name); }
TAG4* d4tag(DATA4* data, std::string_view name) { return data->tag(name); }
void d4tagSelectP(DATA4* data, TAG4* tag) { data->selectTag(tag); }
TAG4* d4tagSelected(DATA4* data) { return data->selectedTag(); }
int d4top(DATA4* data) { return data->top(); }
int d4bottom(DATA4* data) { return data->bottom(); }
int d4skip(DATA4* data, long n) { return data->skip(n); }
int d4go(DATA4* data, long recno) { return data->go(recno); }
int d4seek(DATA4* data, std::string_view key) { return data->seek(key); }
long d4recNo(DATA4* data) { return data->recNo(); }
int d4scan(DATA4* data, const std::function<void()>& visit) {
  ClearVectorUpperHalves();
  return data->scan(visit);
}
int d4select(DATA4* data, const std::function<bool()>& keep, std::vector<long>* recnos) {
  ClearVectorUpperHalves();
  return data->select(keep, recnos);
}
long d4recCountDo(DATA4* data) { return data->recCount(); }
int d4deleted(DATA4* data) { return data->deleted() ? 1 : 0; }
void d4delete(DATA4* data) { data->markDeleted(); }
int d4appendBlank(DATA4* data) { return data->appendBlank(); }
int d4refresh(DATA4* data) { return data->refresh(); }
int d4flush(DATA4* data) { return data->flush(); }
int d4pack(DATA4* data) { return data->pack(); }
int d4zap(DATA4* data, long start, long count) { return data->zap(start, count); }

int i4create(DATA4* data, const std::string& groupName, const std::vector<TAG4INFO>& tags) {
  return data->createIndexGroup(groupName, tags);
}

std::string f4str(FIELD4* field) { return field->str(); }
std::string_view f4view(FIELD4* field) { return field->view(); }
int f4int(FIELD4* field) { return static_cast<int>(field->asInteger()); }
long f4long(FIELD4* field) { return static_cast<long>(field->asInteger()); }

int f4double2(FIELD4* field, double* value) {
  *value = field->asDouble();
  return xbase::kSuccess;
}

int f4true(FIELD4* field) { return field->isTrue() ? 1 : 0; }
int f4assign(FIELD4* field, std::string_view text) { return field->assign(text); }
int f4assignInt(FIELD4* field, int value) { return field->assignInteger(value); }
int f4assignLong(FIELD4* field, long value) { return field->assignInteger(value); }
int f4assignDouble(FIELD4* field, double value) { return field->assignDouble(value); }

QString f4text(FIELD4* field) { return TableText::Decode(field->view(), field->languageDriver()); }

int f4assignText(FIELD4* field, const QString& text) {
  return field->assign(TableText::Encode(text, field->languageDriver()));
}
