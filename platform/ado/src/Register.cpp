// Registration of the ADO and ADOX classes with the class registry.

#include "ConnectionCore.h"
#include "platform/ado/adox.h"

bool RegisterAdoClasses() {
    static const bool registered = [] {
        return SUCCEEDED(CoRegisterInprocClass(__uuidof(Connection), &ado::CreateConnection)) &&
               SUCCEEDED(CoRegisterInprocClass(__uuidof(Catalog), &ado::CreateCatalog));
    }();
    return registered;
}
