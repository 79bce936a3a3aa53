#include "window/Form.h"

void TForma::CreateAffcPage() {
}
