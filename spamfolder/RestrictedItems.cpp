#include "spamfolder/RestrictedItems.h"

#include <string>

#include "base/ErrorLog.h"

namespace skerrow {

RestrictedItems CollectRestrictedItems(Env env, Folder& folder, std::u16string_view filter,
                                       const RestrictPlaces& places) {
  RestrictedItems result;
  const Result<ItemsPtr> items = folder.GetItems();
  env.log.LogFailure(items.status, places.items);
  if (!items.ok() || !items.value) return result;

  const Result<ItemsPtr> matching = items.value->Restrict(std::u16string(filter));
  env.log.LogFailure(matching.status, places.restrict);
  if (!matching.ok() || !matching.value) return result;

  const Result<std::int32_t> count = matching.value->Count();
  env.log.LogFailure(count.status, places.count);
  result.count = count.value;
  if (result.count < 1) return result;
  result.members.reserve(static_cast<std::size_t>(result.count));

  Result<DispatchPtr> member = matching.value->GetFirst();
  env.log.LogFailure(member.status, places.first);
  while (member.ok() && member.value) {
    result.members.push_back(std::move(member.value));
    if (static_cast<std::int32_t>(result.members.size()) >= result.count) break;
    member = matching.value->GetNext();
    env.log.LogFailure(member.status, places.next);
  }
  return result;
}

}  // namespace skerrow
