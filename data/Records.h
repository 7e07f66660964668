// The current-record structures every window shares, filled by the read routines and
// written by the write routines of Database. Texts keep the field's trailing blanks as
// read; a null QDate is "no date" (a blank date field); money is double.
#pragma once

#include <QDate>
#include <QString>

struct AccountRecord {  // ACC (expense chart) and ACCI (income chart)
  int AccNo = 0;
  QString AcDesc;
  bool AcDed = false;  // expense chart: tax deductible; income chart: taxable
};

struct FolderRecord {
  int FolNo = 0;
  QString FolName;
};

struct ExpenseRecord {
  QDate ExpDate;
  long CheckNo = 0;
  int AccNo = 0;
  int FolNo = 0;
  QString PayTo;
  double Amount = 0;
  bool LGSTE = false;  // the amount includes tax
  double GSTE = 0;
  QString EMemo;
  bool Archive = false;
};

struct IncomeRecord {
  int IncAcc = 0;
  QDate IncDate;
  QString IncDesc;
  double IncAmt = 0;
  double GstI = 0;
  int FolNo = 0;
  bool lGstI = false;  // the amount includes tax
  bool IncImp = false;
  bool Archive = false;
};

struct SettingsRecord {
  int FyMonth = 0;
  int FyDay = 0;
  QString FontName;
  int FontSize = 0;
  double GSTRate = 0;
  QString GSTString;
};
