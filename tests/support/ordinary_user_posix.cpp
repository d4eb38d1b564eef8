#include <gtest/gtest.h>
#include <unistd.h>

#include "support/rig.h"

namespace testsupport {

// Real and effective user both, since access() asks about the real one;
// the saved user stays the superuser, so that the test can return to it.
AsOrdinaryUser::AsOrdinaryUser() {
  constexpr uid_t kNobody = 65534;
  if (geteuid() == 0) switched_ = setresuid(kNobody, kNobody, 0) == 0;
}

AsOrdinaryUser::~AsOrdinaryUser() {
  if (switched_ && setresuid(0, 0, 0) != 0) ADD_FAILURE() << "could not become the superuser again";
}

}  // namespace testsupport
