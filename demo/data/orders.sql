-- The demo's sample data: a few customers, products and order statuses, and 3000 order
-- lines made from them by a fixed arithmetic walk, so every run shows the same orders.
-- Refunded lines carry negative amounts. The view order_overview is what the demo shows.

CREATE TABLE customers (
    id      INTEGER PRIMARY KEY,
    name    TEXT NOT NULL,
    city    TEXT NOT NULL,
    country TEXT NOT NULL
);

INSERT INTO customers (id, name, city, country) VALUES
    (1,  'Aldous Brandt',    'Tallinn',   'Estonia'),
    (2,  'Berit Okafor',     'Porto',     'Portugal'),
    (3,  'Cosmin Haller',    'Ghent',     'Belgium'),
    (4,  'Dagny Mirza',      'Kraków',    'Poland'),
    (5,  'Elio Sandoval',    'Bergen',    'Norway'),
    (6,  'Fenna Kowal',      'Lyon',      'France'),
    (7,  'Gustav Lindqvist', 'Brno',      'Czechia'),
    (8,  'Hana Petrov',      'Turku',     'Finland'),
    (9,  'Ilse Marchetti',   'Graz',      'Austria'),
    (10, 'Jonas O''Reilly',  'Cork',      'Ireland'),
    (11, 'Katya Simonsen',   'Aarhus',    'Denmark'),
    (12, 'Luka Varga',       'Debrecen',  'Hungary');

CREATE TABLE products (
    id         INTEGER PRIMARY KEY,
    name       TEXT NOT NULL,
    unit_price REAL NOT NULL
);

INSERT INTO products (id, name, unit_price) VALUES
    (1,  'Oak shelf',         149.00),
    (2,  'Desk lamp',          34.50),
    (3,  'Linen curtain',      59.90),
    (4,  'Wool rug',          219.00),
    (5,  'Steel stool',        45.00),
    (6,  'Glass vase',         27.25),
    (7,  'Walnut dining table', 1249.00),
    (8,  'Reading chair',     489.00),
    (9,  'Ceramic bowl set',   39.95),
    (10, 'Brass mirror',      175.50);

-- position orders the statuses; colour is the #rrggbb of the dot the demo draws for them.
CREATE TABLE statuses (
    code     TEXT PRIMARY KEY,
    label    TEXT NOT NULL,
    colour   TEXT NOT NULL,
    position INTEGER NOT NULL
);

INSERT INTO statuses (code, label, colour, position) VALUES
    ('shipped',   'Shipped',   '#2e9e44', 1),
    ('pending',   'Pending',   '#e6a117', 2),
    ('cancelled', 'Cancelled', '#8c8c8c', 3),
    ('refunded',  'Refunded',  '#d0362b', 4);

CREATE TABLE order_lines (
    line        INTEGER PRIMARY KEY,
    customer_id INTEGER NOT NULL REFERENCES customers (id),
    product_id  INTEGER NOT NULL REFERENCES products (id),
    ordered_on  TEXT NOT NULL,      -- ISO 8601 date
    quantity    INTEGER NOT NULL,
    status      TEXT NOT NULL REFERENCES statuses (code),
    amount      REAL NOT NULL,      -- quantity times unit price, negative for refunds
    internal_id TEXT NOT NULL       -- eight hexadecimal digits
);

-- Dates climb from 2 January 2024 over two years; every 17th line is a refund, every 11th
-- cancelled and every 5th still pending.
INSERT INTO order_lines (line, customer_id, product_id, ordered_on, quantity, status, amount, internal_id)
WITH RECURSIVE walk (i) AS (
    SELECT 1
    UNION ALL
    SELECT i + 1 FROM walk WHERE i < 3000
),
picks AS (
    SELECT i,
           1 + (i * 7919) % 12 AS customer_id,
           1 + (i * 104729 / 7) % 10 AS product_id,
           1 + (i * 31) % 9 AS quantity,
           CASE
               WHEN i % 17 = 0 THEN 'refunded'
               WHEN i % 11 = 0 THEN 'cancelled'
               WHEN i % 5 = 0 THEN 'pending'
               ELSE 'shipped'
           END AS status
    FROM walk
)
SELECT picks.i,
       picks.customer_id,
       picks.product_id,
       date('2024-01-02', '+' || (picks.i * 730 / 3000) || ' days'),
       picks.quantity,
       picks.status,
       CASE WHEN picks.status = 'refunded' THEN -1 ELSE 1 END * picks.quantity * products.unit_price,
       printf('%08X', (picks.i * 2654435761) % 4294967296)
FROM picks
JOIN products ON products.id = picks.product_id
ORDER BY picks.i;

-- One row per order line with everything the grid shows; share is the line's part of the
-- turnover of all lines (refunds count negative against it).
CREATE VIEW order_overview AS
SELECT order_lines.line,
       statuses.label AS status,
       customers.name AS customer,
       customers.city,
       customers.country,
       order_lines.ordered_on,
       products.name AS product,
       order_lines.quantity,
       products.unit_price,
       order_lines.amount,
       order_lines.amount / (SELECT SUM(ABS(amount)) FROM order_lines) AS share,
       order_lines.internal_id
FROM order_lines
JOIN customers ON customers.id = order_lines.customer_id
JOIN products ON products.id = order_lines.product_id
JOIN statuses ON statuses.code = order_lines.status;
