CREATE TABLE prestamos (tipo TEXT, entidad TEXT, fecha DATE, importe INTEGER, interes REAL);
INSERT INTO prestamos VALUES ('Corto plazo', 'Caja Rural de Zamora', '2024-03-15', 150000, 3.25);
INSERT INTO prestamos VALUES ('Corto plazo', 'Banco Sabadell', '2025-01-10', 90000, 3.75);
INSERT INTO prestamos VALUES ('Largo plazo', 'Banco Santander', '2019-06-01', 600000, 2.10);
INSERT INTO prestamos VALUES ('Largo plazo', 'Ibercaja, S.A.', '2021-11-20', 450000, 1.95);
INSERT INTO prestamos VALUES ('Largo plazo', 'BBVA', '2023-02-28', 300000, 4.05);
INSERT INTO prestamos VALUES ('Tesorería', 'Unicaja', '2025-09-01', 120000, 4.50);
