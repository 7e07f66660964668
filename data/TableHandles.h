// The handles the record layer keeps per table: the open table, one field handle per
// field and its tags. Valid from the table's open routine until it is closed (d4close or
// code4close); null before the first open.
#pragma once

#include "TableAccess.h"

struct AccountTable {  // ACC and ACCI
  DATA4* data = nullptr;
  FIELD4* AccNo = nullptr;
  FIELD4* AcDesc = nullptr;
  FIELD4* AcDed = nullptr;
  TAG4* AccTag = nullptr;  // AccTag or AcciTag
};

struct FolderTable {
  DATA4* data = nullptr;
  FIELD4* FolNo = nullptr;
  FIELD4* FolName = nullptr;
  TAG4* FolTag = nullptr;
};

struct ExpenseTable {
  DATA4* data = nullptr;
  FIELD4* ExpDate = nullptr;
  FIELD4* CheckNo = nullptr;
  FIELD4* AccNo = nullptr;
  FIELD4* FolNo = nullptr;
  FIELD4* PayTo = nullptr;
  FIELD4* Amount = nullptr;
  FIELD4* LGSTE = nullptr;
  FIELD4* GSTE = nullptr;
  FIELD4* EMemo = nullptr;
  FIELD4* Archive = nullptr;
  TAG4* eDate = nullptr;
  TAG4* eAcc = nullptr;
};

struct IncomeTable {
  DATA4* data = nullptr;
  FIELD4* IncAcc = nullptr;
  FIELD4* IncImp = nullptr;
  FIELD4* IncDate = nullptr;
  FIELD4* IncDesc = nullptr;
  FIELD4* IncAmt = nullptr;
  FIELD4* lGstI = nullptr;
  FIELD4* GstI = nullptr;
  FIELD4* FolNo = nullptr;
  FIELD4* Archive = nullptr;
  TAG4* IncDateTag = nullptr;  // the tags share their names with fields
  TAG4* IncAccTag = nullptr;
};

struct SettingsTable {
  DATA4* data = nullptr;
  FIELD4* FyMonth = nullptr;
  FIELD4* FyDay = nullptr;
  FIELD4* FontName = nullptr;
  FIELD4* FontSize = nullptr;
  FIELD4* GSTRate = nullptr;
  FIELD4* GSTString = nullptr;
};
