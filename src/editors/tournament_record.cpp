#include "editors/tournament_record.h"

namespace editors {

TournamentRecord DefaultTournament() {
  TournamentRecord record;
  platform::EncodeFields(record);
  return record;
}

}  // namespace editors
