#include "tools/ctl_outcome_json.h"

#include "tools/ctl_format.h"
#include "tools/ctl_json.h"
#include "tools/ctl_names.h"
#include "tools/sha256.h"

namespace {

std::string OrNull(bool known, const std::string& json) {
  return known ? json : "null";
}

std::string ValueJson(const ParamRef& ref, long double value) {
  if (DescriptorOf(ref.id).kind == pkNumeric) return FormatValue(value);
  return value != 0 ? "true" : "false";
}

// The bridge and the command: the fields the --json object and the log share.
void AddBridge(JsonObject& json, const CtlPlan& plan, const BridgeRun& run) {
  const BridgeEntry& b = run.bridge;
  json.Raw("index", OrNull(run.identified, std::to_string(b.index)))
      .Raw("location", OrNull(run.identified && !b.location.empty(), JsonString(b.location)))
      .Raw("serial", OrNull(run.identified && b.readable, JsonString(b.serial)))
      .Text("command", CommandName(plan.options.command));
  if (plan.options.dryRun) json.Bool("dry_run", true);
}

void AddResult(JsonObject& json, const BridgeOutcome& o) {
  json.Number("exit_code", o.code).Text("reason", o.reason);
}

// The block the chip was found to hold, where the differing offsets were taken from it.
const Block* ChipBlock(const CtlPlan& plan, const BridgeOutcome& o) {
  const bool wrote = (o.command == ccWrite || o.command == ccSet) && !plan.options.dryRun;
  if (!wrote) return o.before ? &*o.before : nullptr;
  return o.readBack == trOk && o.after ? &*o.after : nullptr;
}

void AddDifferences(JsonObject& json, const CtlPlan& plan, const BridgeOutcome& o) {
  const Block* chip = ChipBlock(plan, o);
  if (chip != nullptr && o.sent && !o.differing.empty()) {
    std::string list;
    for (Integer at : o.differing) {
      list += (list.empty() ? "" : ", ") + JsonObject()
                                               .Number("offset", at)
                                               .Number("chip", (*chip)[at])
                                               .Number("expected", (*o.sent)[at])
                                               .Json();
    }
    json.Raw("differing_offsets", "[" + list + "]");
  }
  if (!o.differingParameters.empty()) {
    std::string list;
    for (const ParamDifference& d : o.differingParameters) {
      list += (list.empty() ? "" : ", ") + JsonObject()
                                               .Text("name", DumpName(d.ref))
                                               .Raw("chip", ValueJson(d.ref, d.chip))
                                               .Raw("expected", ValueJson(d.ref, d.expected))
                                               .Json();
    }
    json.Raw("differing_parameters", "[" + list + "]");
  }
}

std::string Digest(const Block& block) {
  return Sha256Hex(block.data(), block.size());
}

}  // namespace

std::string OutcomeJson(const CtlPlan& plan, const BridgeRun& run) {
  JsonObject json;
  AddBridge(json, plan, run);
  AddResult(json, run.outcome);
  AddDifferences(json, plan, run.outcome);
  return json.Json();
}

std::string LogLineJson(const CtlPlan& plan, const BridgeRun& run, const std::string& utcTime) {
  const BridgeOutcome& o = run.outcome;
  JsonObject json;
  json.Text("time", utcTime).Text("version", ToolVersion());
  AddBridge(json, plan, run);
  if (!plan.options.from.empty()) {
    json.Text("profile", plan.options.from);
  } else if (plan.options.command == ccWrite || plan.options.command == ccVerify) {
    json.Text("image", plan.options.args.at(0));
  }
  AddResult(json, o);
  if (o.before) json.Text("sha256_before", Digest(*o.before));
  if (o.after && o.readBack == trOk) json.Text("sha256_after", Digest(*o.after));
  return json.Json();
}

std::string ListEntryJson(const BridgeEntry& b) {
  const char* reason = !b.readable ? "serial string unreadable"
                       : b.ours    ? "ZN4417 bridge"
                                   : "not a ZN4417 bridge";
  return JsonObject()
      .Number("index", b.index)
      .Raw("location", OrNull(!b.location.empty(), JsonString(b.location)))
      .Raw("serial", OrNull(b.readable, JsonString(b.serial)))
      .Bool("zn4417", b.ours)
      .Number("exit_code", b.ours ? ceDone : ceNoBridge)
      .Text("reason", reason)
      .Json();
}
