// Collecting the members of a folder that match a subject filter before
// acting on them, so that moving or retitling a member cannot disturb the
// walk through the rest.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "base/Env.h"
#include "host/MailHost.h"

namespace skerrow {

// The place codes of the five calls of one walk.
struct RestrictPlaces {
  int items;     // Folder.Items
  int restrict;  // Items.Restrict
  int count;     // the result's Count
  int first;     // GetFirst
  int next;      // GetNext
};

struct RestrictedItems {
  std::int32_t count = 0;            // the result's Count as reported
  std::vector<DispatchPtr> members;  // in collection order, any kind of item
};

// Folder.Items, Restrict(filter), Count, then GetFirst and GetNext until Count
// members are reached or the collection gives no more. Failures are logged
// with their places; the members reached so far are returned.
RestrictedItems CollectRestrictedItems(Env env, Folder& folder, std::u16string_view filter,
                                       const RestrictPlaces& places);

}  // namespace skerrow
