#include "window/Form.h"

void TForma::CreateMetrologPage() {
}
