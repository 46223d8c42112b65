#pragma once

// The program-wide text conventions: decimal separator ",", date separator ".",
// short dates "dd.mm.yyyy". Files always use "." whatever these are.
namespace TextConventions {
void apply();
}
