ALTER TABLE TTaskList ADD COLUMN ShoppingFilter LONG DEFAULT 0■
SetColumnDescription TTaskList
    ShoppingFilter = "쇼핑 필터"■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ("NaverShoppingFilter", 0, "None", "없음", "", 0)■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ("NaverShoppingFilter", 1, "Price", "가격순", "", 1)■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ("NaverShoppingFilter", 2, "Review", "리뷰많은순", "", 2)■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ("NaverShoppingFilter", 3, "Recent", "등록일순", "", 3)■

UPDATE TSettings SET TSettings.Val1 = '236' WHERE TSettings.ID = 'DBVersion'■
