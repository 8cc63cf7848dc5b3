DELETE FROM TSiteCategoryVisible WHERE PCode = 'MT' AND SiteCategory = 'Daum_Blog'■
DELETE FROM TSiteCategoryVisible WHERE PCode = 'MTP' AND SiteCategory = 'Daum_Blog'■
DELETE FROM TSiteCategoryVisible WHERE PCode = 'MTS' AND SiteCategory = 'Daum_Blog'■
DELETE FROM TSiteCategoryVisible WHERE PCode = 'MTW' AND SiteCategory = 'Daum_Blog'■
DELETE FROM TSiteCategoryVisible WHERE PCode = 'MTX' AND SiteCategory = 'Daum_Blog'■
DELETE FROM TSiteCategoryVisible WHERE PCode = 'MT' AND SiteCategory = 'Mobile_Daum_Blog'■
DELETE FROM TSiteCategoryVisible WHERE PCode = 'MTP' AND SiteCategory = 'Mobile_Daum_Blog'■
DELETE FROM TSiteCategoryVisible WHERE PCode = 'MTS' AND SiteCategory = 'Mobile_Daum_Blog'■
DELETE FROM TSiteCategoryVisible WHERE PCode = 'MTW' AND SiteCategory = 'Mobile_Daum_Blog'■
DELETE FROM TSiteCategoryVisible WHERE PCode = 'MTX' AND SiteCategory = 'Mobile_Daum_Blog'■
DELETE FROM TSiteCategoryVisible WHERE PCode = 'MT' AND SiteCategory = 'Related_Daum_Blog'■
DELETE FROM TSiteCategoryVisible WHERE PCode = 'MTP' AND SiteCategory = 'Related_Daum_Blog'■
DELETE FROM TSiteCategoryVisible WHERE PCode = 'MTS' AND SiteCategory = 'Related_Daum_Blog'■
DELETE FROM TSiteCategoryVisible WHERE PCode = 'MTW' AND SiteCategory = 'Related_Daum_Blog'■
DELETE FROM TSiteCategoryVisible WHERE PCode = 'MTX' AND SiteCategory = 'Related_Daum_Blog'■
DELETE FROM TSiteCategoryVisible WHERE PCode = 'MT' AND SiteCategory = 'Related_Daum_Cafe'■

DELETE FROM TSiteCategoryVisible WHERE PCode = 'MTP' AND SiteCategory = 'Related_Daum_Cafe'■
