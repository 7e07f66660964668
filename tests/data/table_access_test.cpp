#include <gtest/gtest.h>

#include "TableAccess.h"
#include "TestBooks.h"
#include "TestHost.h"
#include "xbase/Status.h"

namespace {

class TableAccessTest : public ::testing::Test {
 protected:
  TestBooks books;
  TestHost host;
  std::unique_ptr<CODE4> code = code4initP(books.dir());
};

TEST_F(TableAccessTest, ErrorCodeIsReturnedAndReplaced) {
  EXPECT_EQ(d4open(code.get(), "NOSUCH"), nullptr);
  const int error = code4errorCode(code.get(), 0);
  EXPECT_LT(error, 0);
  EXPECT_EQ(code4errorCode(code.get(), 0), 0);
  EXPECT_EQ(code4errorCode(code.get(), xbase::kErrRead), 0);
  EXPECT_EQ(code4errorCode(code.get(), 0), xbase::kErrRead);
}

TEST_F(TableAccessTest, EmptyTagNameGivesRecordOrderWithoutError) {
  code4autoOpen(code.get(), 0);
  DATA4* data = d4open(code.get(), "FOLDER");
  ASSERT_NE(data, nullptr);
  code4errTagName(code.get(), 0);
  EXPECT_EQ(d4tag(data, ""), nullptr);
  EXPECT_EQ(code4errorCode(code.get(), 0), 0);
  code4errTagName(code.get(), 1);
  EXPECT_EQ(d4tag(data, "NoSuchTag"), nullptr);
  EXPECT_EQ(code4errorCode(code.get(), 0), xbase::kErrTagName);
}

TEST_F(TableAccessTest, ExitTestEndsTheProgramOnlyWhenAnErrorIsPending) {
  error4exitTest(code.get(), host);
  EXPECT_TRUE(host.messages.isEmpty());
  code4errorCode(code.get(), xbase::kErrOpen);
  EXPECT_THROW(error4exitTest(code.get(), host), TestProgramEnd);
  ASSERT_EQ(host.messages.size(), 1);
  EXPECT_TRUE(host.messages[0].endsWith("\r\nProgram will now terminate."));
  EXPECT_TRUE(host.messages[0].contains(QString::number(xbase::kErrOpen)));
}

TEST_F(TableAccessTest, FieldValuesRoundTrip) {
  code4autoOpen(code.get(), 0);
  DATA4* data = d4open(code.get(), "GSTEXP1");
  ASSERT_NE(data, nullptr);
  ASSERT_EQ(d4appendBlank(data), xbase::kSuccess);
  FIELD4* amount = d4field(data, "amount");
  FIELD4* checkNo = d4field(data, "CHECKNO");
  FIELD4* archive = d4field(data, "Archive");
  FIELD4* payTo = d4field(data, "PayTo");
  ASSERT_TRUE(amount && checkNo && archive && payTo);
  EXPECT_EQ(f4assignDouble(amount, 1234.5), xbase::kSuccess);
  EXPECT_EQ(f4assignLong(checkNo, 12345678), xbase::kSuccess);
  EXPECT_EQ(f4assign(archive, "T"), xbase::kSuccess);
  EXPECT_EQ(f4assignText(payTo, QString::fromUtf8("Caf\u00e9")), xbase::kSuccess);
  double value = 0;
  EXPECT_EQ(f4double2(amount, &value), xbase::kSuccess);
  EXPECT_DOUBLE_EQ(value, 1234.5);
  EXPECT_EQ(f4str(amount), "  1234.50");
  EXPECT_EQ(f4long(checkNo), 12345678);
  EXPECT_EQ(f4true(archive), 1);
  EXPECT_EQ(f4text(payTo), QString::fromUtf8("Caf\u00e9").leftJustified(30));
  EXPECT_EQ(f4assignInt(checkNo, 123456789), xbase::kErrFieldWidth);
  EXPECT_EQ(f4long(checkNo), 12345678);
}

}  // namespace
