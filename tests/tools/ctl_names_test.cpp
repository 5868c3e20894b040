// The names zn4417ctl accepts and prints, and the range check of set.
#include <gtest/gtest.h>

#include <set>

#include "tools/ctl_assignment.h"
#include "tools/ctl_names.h"

namespace {

ParamRef Known(const std::string& name) {
  ParamRef ref;
  std::string error;
  EXPECT_TRUE(LookUpName(name, ref, error)) << name << ": " << error;
  return ref;
}

std::string Unknown(const std::string& name) {
  ParamRef ref;
  std::string error;
  EXPECT_FALSE(LookUpName(name, ref, error)) << name;
  return error;
}

void ExpectRef(const std::string& name, ParamId id, Integer item = -1) {
  const ParamRef ref = Known(name);
  EXPECT_EQ(ref.id, id) << name;
  EXPECT_EQ(ref.item, item) << name;
}

TEST(Names, CaptionsAndReadableNamesInAnyCase) {
  const std::pair<const char*, ParamId> numbers[] = {
      {"DEADBAND", piDB},   {"stretcher", piST},        {"Boost", piBT},
      {"maxdutyl", piMDL},  {"MaxDutyR", piMDR},        {"deadzone", piDZ},
      {"p1mduty", piP1MD},  {"P2MDUTY", piP2MD},        {"p1wtime", piP1T},
      {"P2WTime", piP2T},   {"p3wtime", piP3T},         {"osc", piOSC},
      {"ch", piCH},         {"Channel", piCH},          {"clk", piCLK},
      {"pmin", piedtPMINL}, {"PMAX", piedtPMAXL},       {"pMid", piedtPMID},
      {"hfd", piHFD},       {"lppmp", pinvchckbxLPPMP}, {"Invc", pinvchckbxINVC}};
  for (const auto& [name, id] : numbers) ExpectRef(name, id);
  ExpectRef("overload1", piFUNREG1, 0);
  ExpectRef("OVERLOAD2", piFUNREG1, 1);
  ExpectRef("OverLoad3", piFUNREG1, 2);
  ExpectRef("funreg.3", piFUNREG, 3);
  ExpectRef("FUNREG.7", piFUNREG, 7);
}

TEST(Names, ControlNamesStayExactAliases) {
  ExpectRef("DB", piDB);
  ExpectRef("edtPMINL", piedtPMINL);
  ExpectRef("edtPMID", piedtPMID);
  ExpectRef("nvchckbxLPPMP", pinvchckbxLPPMP);
  ExpectRef("FUNREG1.2", piFUNREG1, 2);
  EXPECT_NE(Unknown("db").find("did you mean DB?"), std::string::npos);
  EXPECT_NE(Unknown("EDTPMINL").find("did you mean edtPMINL?"), std::string::npos);
  EXPECT_NE(Unknown("funreg1.0").find("funreg1.0"), std::string::npos);
  EXPECT_NE(Unknown("OVERLOAD4").find("OVERLOAD4"), std::string::npos);
  EXPECT_NE(Unknown("FUNREG.10").find("items 0 to 9"), std::string::npos);
  EXPECT_NE(Unknown("FUNREG1").find("is a list"), std::string::npos);
  Unknown("OVERLOAD");
  Unknown("DEADBAND.1");
  Unknown("");
}

TEST(Names, EveryPrintedNameReadsBackAsItsParameter) {
  std::vector<ParamRef> all;
  for (Integer i = 0; i < kNumericCount; ++i) all.push_back({static_cast<ParamId>(i), -1});
  for (Integer i = 0; i < kFunregCount; ++i) all.push_back({piFUNREG, i});
  for (Integer i = 0; i < kFunreg1Count; ++i) all.push_back({piFUNREG1, i});
  for (ParamId id : {piHFD, pinvchckbxLPPMP, pinvchckbxINVC}) all.push_back({id, -1});
  std::set<std::string> seen;
  for (const ParamRef& ref : all) {
    const std::string name = DumpName(ref);
    EXPECT_TRUE(seen.insert(name).second) << name << " printed twice";
    ExpectRef(name, ref.id, ref.item);
  }
  EXPECT_EQ(DumpName({piedtPMINL, -1}), "PMIN");
  EXPECT_EQ(DumpName({piFUNREG1, 1}), "OVERLOAD2");
  EXPECT_STREQ(UnitOf(piedtPMAXL), "us");
  EXPECT_STREQ(UnitOf(piedtPMID), "");
}

std::string RangeError(const std::string& text) {
  Assignment a;
  std::string error;
  EXPECT_TRUE(ParseAssignment(text, a, error)) << text << ": " << error;
  if (CheckInRange(a, text, error)) return "";
  return error;
}

TEST(Ranges, ValuesOutsideTheRangeAreNamedWithTheRange) {
  EXPECT_EQ(RangeError("DB=300"), "DB=300 is outside 0..255");
  EXPECT_EQ(RangeError("deadband=-1"), "deadband=-1 is outside 0..255");
  EXPECT_EQ(RangeError("PMIN=3000"), "PMIN=3000 is outside 500..2500 us");
  EXPECT_EQ(RangeError("pmax=499.9"), "pmax=499.9 is outside 500..2500 us");
  EXPECT_EQ(RangeError("PMID=-121"), "PMID=-121 is outside -120..120");
  EXPECT_EQ(RangeError("STRETCHER=7.5"), "STRETCHER=7.5 is outside 0..7");
  EXPECT_EQ(RangeError("DEADZONE=64"), "DEADZONE=64 is outside 0..63");
  for (const char* inside : {"DB=0", "DB=255", "PMIN=500", "PMAX=2500", "PMID=-120", "PMID=120",
                             "CH=15", "OSC=127", "CLK=0", "DB=254.6", "HFD=1", "OVERLOAD3=1"}) {
    EXPECT_EQ(RangeError(inside), "") << inside;
  }
}

}  // namespace
