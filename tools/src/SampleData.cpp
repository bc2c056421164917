#include "SampleData.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <string_view>

namespace talveron::admin {

namespace {

constexpr int kCustomers = 1000;
constexpr int kProducts = 150;
constexpr int kOrders = 3000;
constexpr int kMaxItemsPerOrder = 5;

constexpr std::array<std::string_view, 16> kFirstNames{
    "Anna", "Boris", "Carla", "Dmitri", "Elena", "Farid", "Greta", "Hugo",
    "Ines", "Jonas", "Katja", "Lars",   "Mira",  "Nils",  "Olga",  "Pavel"};
constexpr std::array<std::string_view, 16> kLastNames{
    "Adler",   "Brandt", "Castell", "Dorn",      "Eklund", "Falk",  "Gruber", "Hansen",
    "Iversen", "Jansen", "Keller",  "Lindqvist", "Moser",  "Novak", "Ostrom", "Petrov"};
constexpr std::array<std::string_view, 20> kCompanyWords{
    "Alder",  "Birch", "Cedar",   "Delta",   "Elm",    "Fjord",  "Granite",
    "Harbor", "Iron",  "Juniper", "Kestrel", "Linden", "Meadow", "North",
    "Oak",    "Pine",  "Quarry",  "River",   "Summit", "Thistle"};
constexpr std::array<std::string_view, 8> kCompanySuffixes{
    "Trading", "Supply Co.", "Wholesale", "Logistics", "Outfitters", "Goods", "Imports", "Market"};
struct City {
    std::string_view name;
    std::string_view country;
};
constexpr std::array<City, 12> kCities{{{"Bergen", "Norway"},
                                        {"Graz", "Austria"},
                                        {"Lyon", "France"},
                                        {"Porto", "Portugal"},
                                        {"Tampere", "Finland"},
                                        {"Leipzig", "Germany"},
                                        {"Gdansk", "Poland"},
                                        {"Aarhus", "Denmark"},
                                        {"Brno", "Czech Republic"},
                                        {"Uppsala", "Sweden"},
                                        {"Ghent", "Belgium"},
                                        {"Cork", "Ireland"}}};
constexpr std::array<std::string_view, 10> kProductAdjectives{
    "Classic", "Compact", "Deluxe", "Heavy-duty", "Light",
    "Premium", "Rugged",  "Smart",  "Standard",   "Travel"};
struct ProductKind {
    std::string_view noun;
    std::string_view category;
};
constexpr std::array<ProductKind, 15> kProductKinds{{{"Desk Lamp", "Office"},
                                                     {"Notebook", "Office"},
                                                     {"Stapler", "Office"},
                                                     {"Backpack", "Outdoor"},
                                                     {"Tent", "Outdoor"},
                                                     {"Water Bottle", "Outdoor"},
                                                     {"Kettle", "Kitchen"},
                                                     {"Knife Set", "Kitchen"},
                                                     {"Coffee Grinder", "Kitchen"},
                                                     {"Drill", "Tools"},
                                                     {"Tape Measure", "Tools"},
                                                     {"Workbench", "Tools"},
                                                     {"Headphones", "Electronics"},
                                                     {"Power Bank", "Electronics"},
                                                     {"Webcam", "Electronics"}}};
// Weighted so that about a quarter of the orders end up cancelled.
constexpr std::array<std::string_view, 8> kStatuses{
    "Shipped", "Shipped", "Shipped", "Delivered", "Delivered", "Open", "Cancelled", "Cancelled"};

constexpr std::string_view kSchema = R"sql(
CREATE TABLE Customers (
    CustomerID INTEGER PRIMARY KEY,
    CompanyName TEXT NOT NULL,
    ContactName TEXT,
    City TEXT,
    Country TEXT,
    Phone TEXT
);
CREATE TABLE Products (
    ProductID INTEGER PRIMARY KEY,
    ProductName TEXT NOT NULL,
    Category TEXT,
    UnitPrice REAL NOT NULL,
    UnitsInStock INTEGER NOT NULL
);
CREATE TABLE Orders (
    OrderID INTEGER PRIMARY KEY,
    CustomerID INTEGER NOT NULL REFERENCES Customers(CustomerID),
    OrderDate TEXT NOT NULL,
    Status TEXT NOT NULL,
    ShipCity TEXT
);
CREATE TABLE OrderItems (
    OrderItemID INTEGER PRIMARY KEY,
    OrderID INTEGER NOT NULL REFERENCES Orders(OrderID),
    ProductID INTEGER NOT NULL REFERENCES Products(ProductID),
    Quantity INTEGER NOT NULL,
    UnitPrice REAL NOT NULL
);
CREATE INDEX OrdersByCustomer ON Orders(CustomerID);
CREATE INDEX OrderItemsByOrder ON OrderItems(OrderID);
)sql";

template <typename Container>
const auto& pick(std::mt19937& random, const Container& items) {
    return items[std::uniform_int_distribution<std::size_t>(0, items.size() - 1)(random)];
}

int between(std::mt19937& random, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
}

std::string price(int cents) {
    char text[32];
    std::snprintf(text, sizeof text, "%d.%02d", cents / 100, cents % 100);
    return text;
}

std::string dateAfter(int days) {
    using namespace std::chrono;
    const year_month_day date{sys_days{2023y / January / 2} + std::chrono::days{days}};
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text;
}

// Binds the values to the statement's parameters in order, then runs it once.
template <typename... Values>
void insertRow(engine::Database::Statement& statement, const Values&... values) {
    int index = 0;
    (statement.bind(++index, values), ...);
    statement.step();
    statement.reset();
}

// The values are drawn one statement at a time, so that the rows do not depend
// on the order in which a compiler evaluates arguments.
void insertCustomers(engine::Database& database, std::mt19937& random) {
    auto insert = database.prepare(
        "INSERT INTO Customers (CustomerID, CompanyName, ContactName, City, Country, Phone) "
        "VALUES (?, ?, ?, ?, ?, ?)");
    for (std::int64_t id = 1; id <= kCustomers; ++id) {
        const City& city = pick(random, kCities);
        std::string company(pick(random, kCompanyWords));
        company += " ";
        company += pick(random, kCompanySuffixes);
        std::string contact(pick(random, kFirstNames));
        contact += " ";
        contact += pick(random, kLastNames);
        std::string phone = "+" + std::to_string(between(random, 30, 49));
        phone += " " + std::to_string(between(random, 100000, 999999));
        insertRow(insert, id, company, contact, city.name, city.country, phone);
    }
}

void insertProducts(engine::Database& database, std::mt19937& random) {
    auto insert = database.prepare(
        "INSERT INTO Products (ProductID, ProductName, Category, UnitPrice, UnitsInStock) "
        "VALUES (?, ?, ?, ?, ?)");
    for (std::int64_t id = 1; id <= kProducts; ++id) {
        const ProductKind& kind =
            kProductKinds[static_cast<std::size_t>(id - 1) % kProductKinds.size()];
        const std::string name =
            std::string(pick(random, kProductAdjectives)) + " " + std::string(kind.noun);
        const std::string unitPrice = price(between(random, 299, 24999));
        const std::int64_t inStock = between(random, 0, 500);
        insertRow(insert, id, name, kind.category, unitPrice, inStock);
    }
}

void insertOrders(engine::Database& database, std::mt19937& random) {
    auto order = database.prepare(
        "INSERT INTO Orders (OrderID, CustomerID, OrderDate, Status, ShipCity) "
        "VALUES (?, ?, ?, ?, ?)");
    auto item = database.prepare(
        "INSERT INTO OrderItems (OrderID, ProductID, Quantity, UnitPrice) "
        "SELECT ?, ProductID, ?, UnitPrice FROM Products WHERE ProductID = ?");
    for (std::int64_t id = 1; id <= kOrders; ++id) {
        const std::int64_t customer = between(random, 1, kCustomers);
        const std::string_view status = pick(random, kStatuses);
        const std::string_view shipCity = pick(random, kCities).name;
        insertRow(order, id, customer, dateAfter(static_cast<int>(id * 365 / kOrders)), status,
                  shipCity);
        for (int line = between(random, 1, kMaxItemsPerOrder); line > 0; --line) {
            const std::int64_t quantity = between(random, 1, 12);
            const std::int64_t product = between(random, 1, kProducts);
            insertRow(item, id, quantity, product);
        }
    }
}

}  // namespace

void fillSampleData(engine::Database& database) {
    std::mt19937 random(20230102u);
    database.execute("BEGIN");
    try {
        database.execute(kSchema);
        insertCustomers(database, random);
        insertProducts(database, random);
        insertOrders(database, random);
        database.execute(
            "DELETE FROM OrderItems WHERE OrderID IN "
            "(SELECT OrderID FROM Orders WHERE Status = 'Cancelled');"
            "DELETE FROM Orders WHERE Status = 'Cancelled';");
        database.execute("COMMIT");
    } catch (...) {
        try {
            database.execute("ROLLBACK");
        } catch (...) {
            // The original failure is the one worth reporting.
        }
        throw;
    }
}

}  // namespace talveron::admin
